#!/usr/bin/env python3
"""Fails when our 32-bit Windows code casts a function to a pointer of another calling convention.

In 32-bit code Windows calls back with stdcall; a cdecl function cast to a callback type leaves
the stack wrong after every call, and GCC casts it without a word (its -Wcast-function-type
ignores the convention, and 64-bit code has one convention only). clang's
-Wcast-calling-convention sees it: every C++ file of the i686 build is read again by clang for
i686 with the same definitions and include folders, and with GCC's C++ library.
Usage: check-calling-conventions.py <i686 build folder with compile_commands.json> [jobs]
"""
import concurrent.futures
import json
import os
import shlex
import subprocess
import sys

CHECKS = ['-Wno-everything', '-Wcast-calling-convention', '-Wcast-function-type', '-Werror']


def library_includes(compiler):
    """GCC's own C++ library folders, which clang does not find for a MinGW target."""
    out = subprocess.run([compiler, '-xc++', '-E', '-v', os.devnull, '-o', os.devnull],
                         capture_output=True, text=True, check=True).stderr.splitlines()
    start = out.index('#include <...> search starts here:') + 1
    folders = [line.strip() for line in out[start:out.index('End of search list.')]]
    return [f for f in folders if '/include/c++' in f]


def clang_command(entry, includes):
    words = []
    for word in shlex.split(entry['command']):  # CMake puts MinGW's include folders in a response file
        if word.startswith('@'):
            words += shlex.split(open(os.path.join(entry['directory'], word[1:])).read())
        else:
            words.append(word)
    kept = []
    i = 1
    while i < len(words):
        word = words[i]
        if word in ('-I', '-D', '-isystem', '-include') and i + 1 < len(words):
            kept += [word, words[i + 1]]
            i += 2
            continue
        if word.startswith(('-I', '-D', '-std=')):
            kept.append(word)
        i += 1
    library = [arg for folder in includes for arg in ('-isystem', folder)]
    return ['clang++', '--target=i686-w64-mingw32', '-nostdinc++', *library, *kept, '-fsyntax-only',
            *CHECKS, entry['file']]


def main(build, jobs):
    entries = json.load(open(os.path.join(build, 'compile_commands.json')))
    source = os.path.dirname(os.path.dirname(os.path.abspath(build)))
    ours = [e for e in entries if e['file'].endswith('.cpp') and e['file'].startswith(source + '/')
            and '/build/' not in e['file']]
    if not ours:
        sys.exit(f'no C++ file of ours in {build}/compile_commands.json')
    compiler = shlex.split(ours[0]['command'])[0]
    includes = library_includes(compiler)

    def check(entry):
        run = subprocess.run(clang_command(entry, includes), cwd=entry['directory'], capture_output=True, text=True)
        return entry['file'], run.returncode, run.stderr

    failed = 0
    with concurrent.futures.ThreadPoolExecutor(jobs) as pool:
        for name, code, errors in pool.map(check, ours):
            if code != 0:
                failed += 1
                sys.stderr.write(errors)
    print(f'calling conventions: {len(ours) - failed} of {len(ours)} files clean')
    sys.exit(1 if failed else 0)


if __name__ == '__main__':
    main(sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 2)
