# shellcheck shell=bash
# The Wine settings of this project, one set for both of its Wine prefixes: the
# tests' throwaway one (scripts/wine-env.sh) and the game's own (scripts/play.sh,
# scripts/linux-desktop.sh). Sourced, after WINEPREFIX is set; it starts nothing.

export WINEDEBUG=-all
# A 64-bit prefix, whatever the caller's environment says.
unset WINEARCH
# No menu entries or file associations of Wine's own on the host's desktop, and no
# offers to fetch Mono or Gecko.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"

# write_wine_registry FILE: the prefix's registry settings as a file for regedit.
# The game's own faces and Wine's interface faces -> the IPA Gothic families. Wine
# applies a replacement only where the named face is not installed, which holds
# for all of these on a machine with no Windows fonts.
write_wine_registry() {
  local fixed=IPAGothic proportional=IPAPGothic
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    local face
    for face in "MSゴシック" "MS ゴシック" "ＭＳ ゴシック" "MS Gothic" "Courier New" "Lucida Console" \
                "Consolas" "Fixedsys"; do
      printf '"%s"="%s"\r\n' "$face" "$fixed"
    done
    for face in "MS Pゴシック" "ＭＳ Ｐゴシック" "MS PGothic" "MS UI Gothic" "Tahoma" \
                "MS Shell Dlg" "MS Shell Dlg 2" "MS Sans Serif" "Microsoft Sans Serif" \
                "Segoe UI" "Arial" "System" "Times New Roman"; do
      printf '"%s"="%s"\r\n' "$face" "$proportional"
    done
    # A new prefix knows notepad as the text editor but maps no extension to it;
    # Windows does, and the Help menu opens 説明.txt through that mapping.
    printf '\r\n[HKEY_CLASSES_ROOT\\.txt]\r\n@="txtfile"\r\n"Content Type"="text/plain"\r\n'
  } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$1"
}

# import_wine_registry FILE: imports a .reg file into the prefix and waits until
# Wine has written it to the prefix's registry files.
import_wine_registry() {
  wine regedit /S "$(winepath -w "$1" 2>/dev/null)" >/dev/null 2>&1
  wineserver -w
}

# set_wine_dpi DPI: the prefix's scale (96 is 100 %). Does not wait for Wine to
# write the registry files, so it also works beside a wineserver kept running.
set_wine_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1
}
