#!/usr/bin/env python3
"""The start command as a desktop user meets it, in a private root of its own.

A throw-away account that may use sudo runs `bash scripts/run.sh`, then `sudo bash
scripts/run.sh`, in its own copy of the tree and without a display: each time the program must
run as that user (run.sh reports whom it ran as) and every file in the user's home, the tree's
copy and its build included, must be the user's. The account exists only in a mount namespace,
over a copy of /etc on a tmpfs, with a tmpfs home, /tmp and /run; every process runs in a PID
namespace that dies with this check. Nothing of a run, finished or killed, outlives it, and the
host's account files are compared before and after. The compiler cache of the default build is
copied into the home, so that the user's build compiles little.

Needs root; without it the check reports itself skipped (exit status 77).
Usage: desktop_user_check.py --source-dir DIR --ccache-dir DIR
"""

import argparse
import ctypes
import os
import pwd
import re
import shutil
import signal
import subprocess
import sys
from pathlib import Path

# Root runs this check in a tree that may be a user's: nothing of it may be left there.
sys.dont_write_bytecode = True
sys.path.insert(0, str(Path(__file__).resolve().parent))
import host_accounts  # noqa: E402

SKIPPED = 77
USER = "lanhe-desktop"
RUNS = ("bash scripts/run.sh", "sudo bash scripts/run.sh")
PR_SET_PDEATHSIG = 1


class CheckFailed(Exception):
    """What the user met that a user must not; the message says what."""


def expect(condition, message):
    if not condition:
        raise CheckFailed(message)


def die_with_parent():
    """The namespace ends when this check ends, however it ends: killed by CTest's timeout too."""
    ctypes.CDLL(None).prctl(PR_SET_PDEATHSIG, signal.SIGKILL)


def root_is_a_mount():
    """Whether / is a mount point, which a private mount namespace needs (a plain chroot's root
    is a folder of another mount); the mount table lists it as such."""
    with open("/proc/self/mountinfo", encoding="utf-8") as mounts:
        return any(line.split()[4] == "/" for line in mounts)


def outside(options):
    if os.geteuid() != 0:
        print("SKIPPED: the desktop-user check needs root to give the account a private root of "
              "its own; run it as root, or the tests through `sudo bash scripts/test.sh`.")
        return SKIPPED
    if not root_is_a_mount():
        print("SKIPPED: / is not a mount point here (a plain chroot?), so no private mount "
              "namespace can be made for the account; bind-mount the root onto itself first.")
        return SKIPPED
    before = host_accounts.digest()
    result = subprocess.run(
        ["unshare", "--mount", "--pid", "--ipc", "--fork", "--kill-child", "--mount-proc",
         sys.executable, __file__, "--inside", "--source-dir", options.source_dir,
         "--ccache-dir", options.ccache_dir],
        preexec_fn=die_with_parent)
    changed = host_accounts.changes(before, host_accounts.digest())
    if changed:
        print(f"FAIL: the host's account files changed: {', '.join(changed)}", file=sys.stderr)
        return 1
    print("desktop user: the host's account files are untouched")
    return result.returncode


def mount(*arguments):
    subprocess.run(["mount", *arguments], check=True)


def make_private_root():
    """A tmpfs /tmp, /home and /run, and /etc a copy on the tmpfs that only root may reach by
    its own path: the account, its group, its sudo rule and sudo's records live and die here."""
    mount("-t", "tmpfs", "-o", "mode=1777", "lanhe-tmp", "/tmp")
    mount("-t", "tmpfs", "-o", "mode=755", "lanhe-home", "/home")
    mount("-t", "tmpfs", "-o", "mode=755", "lanhe-run", "/run")
    private = Path("/tmp/.lanhe-private")
    private.mkdir(mode=0o700)
    subprocess.run(["cp", "-a", "/etc", private / "etc"], check=True)
    mount("--bind", private / "etc", "/etc")


def create_user():
    # --no-log-init: the login records in /var/log are the host's.
    subprocess.run(["useradd", "--create-home", "--user-group", "--no-log-init",
                    "--shell", "/bin/bash", USER], check=True)
    rule = Path("/etc/sudoers.d") / USER
    rule.write_text(f"{USER} ALL=(ALL:ALL) NOPASSWD: ALL\n")
    rule.chmod(0o440)
    subprocess.run(["visudo", "-cqf", rule], check=True)
    return pwd.getpwnam(USER)


def give_to(user, path):
    for folder, folders, files in os.walk(path):
        for name in [folder, *(os.path.join(folder, entry) for entry in folders + files)]:
            os.lchown(name, user.pw_uid, user.pw_gid)


def copy_tree(user, source_dir, ccache_dir):
    """The user's own copy of the tree, without builds or history, and of the default build's
    compiler cache, its counters cleared so that they count the user's build alone."""
    home = Path(user.pw_dir)
    tree = home / "lanhe-shutdown"
    shutil.copytree(source_dir, tree, symlinks=True, ignore=shutil.ignore_patterns("build", ".git"))
    cache = home / ".ccache"
    if ccache_dir:
        shutil.copytree(ccache_dir, cache, symlinks=True)
    give_to(user, home)
    return tree, cache


def user_environment(user, cache):
    """A login's bare environment: no display, so run.sh takes its Xvfb path."""
    return {"HOME": user.pw_dir, "USER": USER, "LOGNAME": USER, "SHELL": "/bin/bash",
            "LANG": "C.UTF-8", "PATH": "/usr/local/bin:/usr/bin:/bin", "CCACHE_DIR": str(cache)}


def as_user(user, command, tree, environment, **options):
    return subprocess.run(
        ["setpriv", f"--reuid={user.pw_uid}", f"--regid={user.pw_gid}", "--init-groups",
         "bash", "-c", command],
        cwd=tree, env=environment, capture_output=True, text=True, **options)


def foreign_files(user):
    """Paths under the user's home that belong to anyone else, the first few."""
    found = []
    for folder, folders, files in os.walk(user.pw_dir):
        for name in [folder, *(os.path.join(folder, entry) for entry in folders + files)]:
            if os.lstat(name).st_uid != user.pw_uid:
                found.append(name)
    return found[:5]


def expect_users_own_run(user, command, tree, environment):
    screenshot = tree / "build/screenshot.png"
    screenshot.unlink(missing_ok=True)
    result = as_user(user, command, tree, environment, timeout=900)
    output = result.stdout + result.stderr
    tail = "\n".join(output.splitlines()[-20:])
    expect(result.returncode == 0, f"'{command}' as {USER} failed ({result.returncode}):\n{tail}")
    ran_as = re.findall(r"ran the program under Xvfb as (\S+)", output)
    expect(ran_as == [USER], f"'{command}' as {USER}: the program ran as {ran_as}:\n{tail}")
    expect(screenshot.is_file(), f"'{command}' as {USER} took no screenshot:\n{tail}")
    foreign = foreign_files(user)
    expect(not foreign, f"'{command}' as {USER} left files of another owner: {foreign}")
    print(f"desktop user: '{command}' built and ran the program as {USER}; "
          f"every file in its home is {USER}'s")


def compiler_cache_use(user, tree, environment):
    stats = as_user(user, "ccache --print-stats", tree, environment).stdout
    counts = dict(line.split("\t", 1) for line in stats.splitlines() if "\t" in line)
    hits = sum(int(counts.get(key, 0)) for key in ("direct_cache_hit", "preprocessed_cache_hit"))
    return f"{hits} compilations from the default build's cache, {counts.get('cache_miss', 0)} anew"


def held_open(path):
    """A path to `path` that still leads there once a tmpfs covers the folder it lies in (a
    tree under /tmp, say): through a descriptor opened before."""
    return Path(f"/proc/self/fd/{os.open(path, os.O_RDONLY | os.O_DIRECTORY)}")


def inside(options):
    source_dir = held_open(options.source_dir)
    cache_found = options.ccache_dir and Path(options.ccache_dir).is_dir()
    ccache_dir = held_open(options.ccache_dir) if cache_found else None
    make_private_root()
    user = create_user()
    tree, cache = copy_tree(user, source_dir, ccache_dir)
    environment = user_environment(user, cache)
    as_user(user, "ccache --zero-stats", tree, environment)
    for command in RUNS:
        expect_users_own_run(user, command, tree, environment)
    print(f"desktop user: {compiler_cache_use(user, tree, environment)}")
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--inside", action="store_true", help=argparse.SUPPRESS)
    parser.add_argument("--source-dir", required=True)
    parser.add_argument("--ccache-dir", required=True)
    options = parser.parse_args()
    try:
        return inside(options) if options.inside else outside(options)
    except CheckFailed as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        return 1


if __name__ == "__main__":
    sys.exit(main())
