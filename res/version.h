/* The program's version and its author's home page, the one place they are
   written: the resource script, the window and the page's build read them
   here. Plain #defines only: windres reads this file too. */
#ifndef BLUFFWICK_VERSION_H
#define BLUFFWICK_VERSION_H

#define BLUFFWICK_VERSION_TEXT "0.11a"
#define BLUFFWICK_VERSION_NUMBERS 0, 11, 0, 0
#define BLUFFWICK_HOME_PAGE "http://bluffwick.example.org/"

#endif
