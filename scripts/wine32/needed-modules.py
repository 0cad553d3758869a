#!/usr/bin/env python3
"""Prints configure's --disable-<module> for every Wine module that our programs cannot reach.

Reached: the roots below, then everything a reached module imports, delay-imports, or forwards
an export to (in the module's export definition file), read from the Makefile.in files of the Wine source tree given as the
argument. Leaving the rest out of the build roughly halves its time.
"""
import os
import re
import sys

# A line of a module's export definition file: an ordinal or "@", then the kind of export.
EXPORT_LINE = re.compile(r'\s*(@|\d+)\s+(stdcall|cdecl|varargs|thiscall|fastcall|pascal|stub|extern|equate|variable)\b')

# What Setup.exe, Sweeper.exe, Quillmk.exe and the test driver import (they import only these,
# which the import check of the build enforces), what they load at run time, the C runtime that
# Wine's own modules import without naming it and the map of the API sets, what Wine itself
# starts or loads by name to make a prefix, run a 32-bit program on 64-bit Linux, show windows
# and serve COM, and what we use to find a crash.
ROOTS = """
    advapi32 comctl32 comdlg32 gdi32 kernel32 msvcrt ole32 oleaut32 shell32 user32 rstrtmgr ntdll
    uuid winecrt0 compiler-rt ucrtbase apisetschema
    wow64 wow64win wow64cpu
    win32u winex11.drv imm32 uxtheme
    mountmgr.sys nsiproxy.sys
    wineboot services rpcss svchost plugplay winedevice explorer start conhost cmd reg regedit
    rundll32 regsvr32 winhlp32 winemenubuilder winedbg
    setupapi actxprxy oleacc rsaenh bcryptprimitives stdole2.tlb stdole32.tlb shdocvw
""".split()

ASSIGN = re.compile(r'^([A-Z_]+)\s*=\s*(.*)$')
FORWARD = re.compile(r'\s([A-Za-z0-9_.\-]+?)\.[A-Za-z_#?@][^\s.]*\s*$')


def read_makefile(path):
    """The variables of one Makefile.in, with continued lines joined."""
    text = open(path, encoding='utf-8', errors='replace').read().replace('\\\n', ' ')
    values = {}
    for line in text.splitlines():
        m = ASSIGN.match(line.strip())
        if m:
            values[m.group(1)] = m.group(2).split()
    return values


def export_lines(folder, stem):
    """The exports of the module named stem: the lines of the file beside its sources, named
    after it, in which every line that is not blank or a comment defines an export."""
    for file in sorted(os.listdir(folder)):
        if os.path.splitext(file)[0] != stem:
            continue
        lines = [line for line in open(os.path.join(folder, file), encoding='utf-8', errors='replace')
                 if line.strip() and not line.lstrip().startswith('#')]
        if lines and all(EXPORT_LINE.match(line) for line in lines):
            return lines
    return []


def main(src):
    modules = {}   # directory (configure's name) -> its variables
    by_name = {}   # import name, module file name or static library -> directory
    for top in ('dlls', 'programs', 'libs'):
        for name in sorted(os.listdir(os.path.join(src, top))):
            path = os.path.join(src, top, name, 'Makefile.in')
            if not os.path.exists(path):
                continue
            values = read_makefile(path)
            modules[name] = (top, values)
            by_name.setdefault(name, name)
            for key in ('IMPORTLIB', 'MODULE', 'STATICLIB'):
                for value in values.get(key, []):
                    stem = re.sub(r'^lib|\.a$', '', value) if key == 'STATICLIB' else value
                    by_name.setdefault(stem, name)
                    by_name.setdefault(re.sub(r'\.dll$', '', stem), name)

    def dependencies(name):
        top, values = modules[name]
        for token in values.get('IMPORTS', []) + values.get('DELAYIMPORTS', []):
            m = re.match(r'\$\(([A-Z0-9]+)_PE_LIBS\)', token)
            if m:
                yield m.group(1).lower()
            elif not token.startswith(('-', '$')):
                yield token
        for module in values.get('MODULE', []):
            for line in export_lines(os.path.join(src, top, name), re.sub(r'\.[^.]+$', '', module)):
                m = FORWARD.search(line)
                if m and m.group(1) in by_name:
                    yield m.group(1)

    reached = set()
    todo = [by_name[r] for r in ROOTS if r in by_name]
    missing = [r for r in ROOTS if r not in by_name]
    if missing:
        sys.exit('no such Wine module: ' + ' '.join(missing))
    while todo:
        name = todo.pop()
        if name in reached:
            continue
        reached.add(name)
        todo.extend(by_name[d] for d in dependencies(name) if d in by_name)
    # The 16-bit modules go with configure's --disable-win16, which knows no option of their own.
    win16 = re.compile(r'.*16$|.*\.vxd$|winevdm$|wow32$|w32skrnl$')
    print(' '.join('--disable-' + name for name in sorted(modules) if name not in reached and not win16.match(name)))
    print(f'{len(reached)} of {len(modules)} modules built', file=sys.stderr)


if __name__ == '__main__':
    main(sys.argv[1])
