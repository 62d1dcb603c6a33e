#!/usr/bin/env python3
"""The program's manifest and imports, read from bluffwick.exe itself.

usage: exe_check.py OBJDUMP bluffwick.exe

The manifest must declare per-monitor DPI awareness, and no function newer
than Windows 7 that the program looks up at run time may be imported.
"""
import re
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

LOOKED_UP = ["GetDpiForWindow", "AdjustWindowRectExForDpi", "GetSystemMetricsForDpi",
             "SetProcessDpiAwarenessContext", "SetThreadDpiAwarenessContext", "GetDpiForMonitor"]


def main():
    objdump, exe = sys.argv[1:]
    data = open(exe, "rb").read()
    found = re.search(rb"<\?xml.*?</assembly>", data, re.S)
    failures = []
    if not found:
        failures.append("no manifest in " + exe)
    else:
        root = ElementTree.fromstring(found.group(0))
        texts = {element.tag.split("}")[1]: (element.text or "").strip() for element in root.iter()
                 if "}" in element.tag}
        if texts.get("dpiAware") != "true/pm":
            failures.append("dpiAware is %r" % texts.get("dpiAware"))
        if texts.get("dpiAwareness") != "PerMonitorV2, PerMonitor":
            failures.append("dpiAwareness is %r" % texts.get("dpiAwareness"))
    listing = subprocess.run([objdump, "-p", exe], check=True, capture_output=True, text=True).stdout
    imported = set(re.findall(r"^\s+[0-9a-f]+\s+\d+\s+(\w+)$", listing, re.M))
    if "CreateWindowExW" not in imported:
        failures.append("the import table was not read (CreateWindowExW missing)")
    failures += ["imports %s, which Windows 7 lacks" % name for name in LOOKED_UP if name in imported]
    for failure in failures:
        print("FAIL: " + failure)
    print("manifest and imports: %s" % ("bad" if failures else "good"))
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
