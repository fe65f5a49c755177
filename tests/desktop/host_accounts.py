#!/usr/bin/env python3
"""The host's account files, as checksums: the desktop-user check and scripts/test.sh compare
them before and after, and nothing the tests do may change them.

Usage: host_accounts.py snapshot FILE | host_accounts.py compare FILE JUNIT
`compare` writes its verdict as a JUnit report with one test, host.account_files_untouched.
"""

import hashlib
import json
import sys
from pathlib import Path
from xml.sax.saxutils import escape

ACCOUNT_FILES = ("passwd", "group", "shadow", "gshadow", "subuid", "subgid", "sudoers")


def digest():
    """Each account file and each file of /etc/sudoers.d, by path, with its checksum (None
    where it does not exist): a file added or removed shows as a change too."""
    etc = Path("/etc")
    paths = [etc / name for name in ACCOUNT_FILES]
    paths += sorted((etc / "sudoers.d").glob("*"))
    return {str(path): hashlib.sha256(path.read_bytes()).hexdigest() if path.exists() else None
            for path in paths}


def changes(before, after):
    return sorted(path for path in before.keys() | after.keys()
                  if before.get(path) != after.get(path))


def junit(changed):
    failure = (f'<failure message="changed: {escape(", ".join(changed))}"/>' if changed else "")
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            f'<testsuite name="host" tests="1" failures="{int(bool(changed))}" skipped="0">\n'
            f'<testcase name="host.account_files_untouched" classname="host" time="0">'
            f'{failure}</testcase>\n</testsuite>\n')


def main():
    command, snapshot = sys.argv[1], Path(sys.argv[2])
    if command == "snapshot":
        snapshot.write_text(json.dumps(digest()))
        return 0
    changed = changes(json.loads(snapshot.read_text()), digest())
    Path(sys.argv[3]).write_text(junit(changed))
    print(f"host account files: {'changed: ' + ', '.join(changed) if changed else 'untouched'}")
    return 1 if changed else 0


if __name__ == "__main__":
    sys.exit(main())
