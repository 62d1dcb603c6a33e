#!/usr/bin/env python3
"""The program's manifest and imports, read from bluffwick.exe itself.

usage: exe_check.py OBJDUMP bluffwick.exe BUILD-TYPE

The manifest must declare per-monitor DPI awareness, ask for version 6 of the
common controls and name Windows 7 to 11; no function newer than Windows 7
that the program looks up at run time may be imported, nor any DLL it loads
only when needed; and a build to ship
(any but Debug) is stripped and at most 1.875 MiB.
"""
import re
import struct
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

LOOKED_UP = [
    "GetDpiForWindow",
    "AdjustWindowRectExForDpi",
    "GetSystemMetricsForDpi",
    "SetProcessDpiAwarenessContext",
    "SetThreadDpiAwarenessContext",
    "GetDpiForMonitor",
]
LOADED_WHEN_NEEDED = {"USP10.DLL", "SHELL32.DLL", "OLE32.DLL", "OLEACC.DLL", "OLEAUT32.DLL"}
SUPPORTED_OS = {
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "Windows 7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "Windows 8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "Windows 8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "Windows 10 and 11",
}
COMMON_CONTROLS = {
    "type": "win32",
    "name": "Microsoft.Windows.Common-Controls",
    "version": "6.0.0.0",
    "publicKeyToken": "6595b64144ccf1df",
}
# Stripped, with the pictures of both decks, the program is about 1.7 MiB; its
# symbol table alone would add about 0.9 MiB.
MAX_SHIPPED_BYTES = 1966080  # 1.875 MiB


def symbol_table(data):
    """The COFF header's symbol table pointer and count: both 0 once stripped."""
    (pe,) = struct.unpack_from("<I", data, 0x3C)
    if data[pe : pe + 4] != b"PE\0\0":
        return None
    return struct.unpack_from("<II", data, pe + 12)


def main():
    objdump, exe = sys.argv[1:3]
    build_type = sys.argv[3] if len(sys.argv) > 3 else ""  # CMake drops an empty $<CONFIG>
    data = open(exe, "rb").read()
    found = re.search(rb"<\?xml.*?</assembly>", data, re.S)
    failures = []
    if not found:
        failures.append("no manifest in " + exe)
    else:
        root = ElementTree.fromstring(found.group(0))
        texts = {
            element.tag.split("}")[1]: (element.text or "").strip()
            for element in root.iter()
            if "}" in element.tag
        }
        if texts.get("dpiAware") != "true/pm":
            failures.append("dpiAware is %r" % texts.get("dpiAware"))
        if texts.get("dpiAwareness") != "PerMonitorV2, PerMonitor":
            failures.append("dpiAwareness is %r" % texts.get("dpiAwareness"))
        dependencies = [
            element.attrib
            for element in root.iter()
            if element.tag.endswith("}assemblyIdentity")
            and element.attrib.get("name") != "Bluffwick"
        ]
        if not any(
            all(identity.get(key) == value for key, value in COMMON_CONTROLS.items())
            for identity in dependencies
        ):
            failures.append(
                "no dependency on the common controls 6.0.0.0 (found %r)" % dependencies
            )
        supported = {
            element.attrib.get("Id")
            for element in root.iter()
            if element.tag.endswith("}supportedOS")
        }
        failures += [
            "supportedOS lacks %s" % name
            for guid, name in SUPPORTED_OS.items()
            if guid not in supported
        ]
    listing = subprocess.run(
        [objdump, "-p", exe], check=True, capture_output=True, text=True
    ).stdout
    imported = set(re.findall(r"^\s+[0-9a-f]+\s+\d+\s+(\w+)$", listing, re.M))
    if "CreateWindowExW" not in imported:
        failures.append("the import table was not read (CreateWindowExW missing)")
    failures += [
        "imports %s, which Windows 7 lacks" % name for name in LOOKED_UP if name in imported
    ]
    # Uniscribe, the shell, COM and the accessibility DLLs are looked up when first
    # needed: an imported DLL is loaded, with all it loads, before the first paint.
    # (And MinGW's gdi32 import library lists Uniscribe's functions, which Windows 7's
    # gdi32.dll lacks.)
    for dll, names in re.findall(r"DLL Name: (\S+)\n(.*?)(?=\n\s*\n)", listing, re.S):
        if dll.upper() in LOADED_WHEN_NEEDED:
            failures.append("imports %s, which the program loads only when needed" % dll)
        failures += [
            "imports %s from %s" % (name, dll)
            for name in re.findall(r"\d+\s+(Script\w+)$", names, re.M)
        ]
    if build_type != "Debug":
        if symbol_table(data) != (0, 0):
            failures.append("the program is not stripped (symbol table %r)" % (symbol_table(data),))
        if len(data) > MAX_SHIPPED_BYTES:
            failures.append("the program is %d bytes, over %d" % (len(data), MAX_SHIPPED_BYTES))
        print("size: %d bytes" % len(data))
    for failure in failures:
        print("FAIL: " + failure)
    print("manifest and imports: %s" % ("bad" if failures else "good"))
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
