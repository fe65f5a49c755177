#!/usr/bin/env python3
"""The Debian package as a desktop user and a distribution meet it, one check per CTest test.

`build` packs the default build with CPack and unpacks the package under the work folder; every
other check reads what it left there. Usage: package_checks.py CHECK --build-dir DIR
--work-dir DIR --source-dir DIR --version VERSION --program PATH
"""

import argparse
import gzip
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree
from pathlib import Path

METAINFO = "usr/share/metainfo/io.github.lanhe.shutdown.metainfo.xml"
MANUAL_PAGE = "usr/share/man/man1/lanhe-shutdown.1.gz"
COPYRIGHT = "usr/share/doc/lanhe-shutdown/copyright"
CHANGELOG = "usr/share/doc/lanhe-shutdown/changelog.gz"
DESKTOP_ENTRY = "usr/share/applications/lanhe-shutdown.desktop"
PROGRAM = "usr/bin/lanhe-shutdown"
ICON_SIZES = (16, 32, 48, 256)
EXPECTED_FILES = [
    PROGRAM,
    DESKTOP_ENTRY,
    *(f"usr/share/icons/hicolor/{size}x{size}/apps/lanhe-shutdown.png" for size in ICON_SIZES),
    METAINFO,
    MANUAL_PAGE,
    COPYRIGHT,
    CHANGELOG,
]


class CheckFailed(Exception):
    """A promise of the package that does not hold; the message says which."""


def expect(condition, message):
    if not condition:
        raise CheckFailed(message)


def run(command, **options):
    """Runs a command and returns its standard output; a failure is a failed check."""
    result = subprocess.run(command, capture_output=True, text=True, **options)
    expect(result.returncode == 0,
           f"{' '.join(map(str, command))} failed ({result.returncode}):\n"
           f"{result.stdout}{result.stderr}")
    return result.stdout


def control_fields(text):
    """The fields of a Debian control paragraph; continuation lines join their field's value."""
    fields, name = {}, None
    for line in text.splitlines():
        if line[:1].isspace() and name:
            fields[name] += "\n" + line.strip()
        elif ":" in line:
            name, value = line.split(":", 1)
            fields[name] = value.strip()
    return fields


def package_names(relation_field):
    """The package names of a Depends or Recommends field, alternatives and versions dropped."""
    return [re.sub(r"\(.*?\)|:any", "", name).strip()
            for name in re.split(r"[,|]", relation_field) if name.strip()]


def desktop_entry(path):
    """The keys of the [Desktop Entry] group of a desktop file."""
    entries, group = {}, None
    for line in path.read_text(encoding="utf-8").splitlines():
        if line.startswith("["):
            group = line.strip()
        elif group == "[Desktop Entry]" and "=" in line and not line.startswith("#"):
            key, value = line.split("=", 1)
            entries[key.strip()] = value.strip()
    return entries


class Package:
    """The package that `build` made, and everything the checks compare it with."""

    def __init__(self, options):
        self.build_dir = Path(options.build_dir)
        self.work = Path(options.work_dir)
        self.source_dir = Path(options.source_dir)
        self.version = options.version
        self.program = Path(options.program)
        self.root = self.work / "root"
        self.run_dir = self.work / "packaged-program"

    @property
    def deb(self):
        debs = sorted((self.work / "out").glob("*.deb"))
        expect(len(debs) == 1, f"expected one package in {self.work / 'out'}, found {debs}")
        return debs[0]

    def fields(self):
        return control_fields(run(["dpkg-deb", "-f", self.deb]))

    def paths(self):
        """Every path in the package without the leading "./" (directories end in "/")."""
        listing = (self.work / "contents").read_text(encoding="utf-8")
        return [line.split(None, 5)[5].split(" -> ")[0].removeprefix("./")
                for line in listing.splitlines()]


def check_build(package):
    for folder in (package.work / "out", package.root, package.run_dir):
        shutil.rmtree(folder, ignore_errors=True)
    run(["cpack", "-G", "DEB", "-B", package.work / "out"], cwd=package.build_dir)
    arch = run(["dpkg", "--print-architecture"]).strip()
    expected = f"lanhe-shutdown_{package.version}_{arch}.deb"
    expect(package.deb.name == expected, f"expected {expected}, got {package.deb.name}")
    (package.work / "contents").write_text(run(["dpkg-deb", "-c", package.deb]), encoding="utf-8")
    run(["dpkg-deb", "-x", package.deb, package.root])


def check_control_fields(package):
    fields = package.fields()
    arch = run(["dpkg", "--print-architecture"]).strip()
    expect(fields.get("Version") == package.version, f"the version is {fields.get('Version')}")
    expect(fields.get("Architecture") == arch, f"the architecture is {fields.get('Architecture')}")
    expect(fields.get("Section") == "utils", f"the section is {fields.get('Section')}")
    expect(fields.get("Maintainer"), "the package has no maintainer")
    recommends = package_names(fields.get("Recommends", ""))
    expect("fonts-wqy-microhei" in recommends, "no CJK font recommended")
    expect("qt6-wayland" in recommends, "Qt's Wayland platform not recommended")


def check_contents(package):
    paths = package.paths()
    for path in EXPECTED_FILES:
        expect(path in paths, f"the package lacks /{path}")
    outside = [path for path in paths if path not in ("", "usr/") and not path.startswith("usr/")]
    expect(not outside, f"the package installs outside /usr: {outside}")
    listing = (package.work / "contents").read_text(encoding="utf-8").splitlines()
    modes = [line.split()[0] for line in listing if line.endswith(f"./{PROGRAM}")]
    expect(modes == ["-rwxr-xr-x"], f"/{PROGRAM} is not an executable file: {modes}")


def check_install_matches_package(package):
    """A plain `cmake --install` and the package put the same files in place."""
    with tempfile.TemporaryDirectory() as prefix:
        run(["cmake", "--install", package.build_dir, "--prefix", f"{prefix}/usr"])
        installed = sorted(str(path.relative_to(prefix))
                           for path in Path(prefix).rglob("*") if not path.is_dir())
    packaged = sorted(path for path in package.paths() if path and not path.endswith("/"))
    expect(installed == packaged,
           f"cmake --install and the package install different files:\n"
           f"only installed: {sorted(set(installed) - set(packaged))}\n"
           f"only packaged: {sorted(set(packaged) - set(installed))}")


def check_lintian(package):
    """Any error or warning fails; informational tags are only shown. lintian does not want
    root: root runs it as nobody, on a copy in nobody's own folder, which it also starts in."""
    with tempfile.TemporaryDirectory() as folder:
        deb = Path(folder) / package.deb.name
        shutil.copy(package.deb, deb)
        as_user = []
        if os.geteuid() == 0:
            shutil.chown(folder, "nobody")
            shutil.chown(deb, "nobody")
            as_user = ["runuser", "-u", "nobody", "--"]
        result = subprocess.run(
            [*as_user, "env", f"HOME={folder}", "lintian", "--display-info", deb.name],
            cwd=folder, capture_output=True, text=True)
    print(result.stdout, result.stderr, sep="", end="")
    tags = [line for line in result.stdout.splitlines() if re.match(r"^[EW]: ", line)]
    expect(result.returncode == 0 and not tags,
           f"lintian ({result.returncode}) reports errors or warnings: {tags or result.stderr}")


def png_size(path):
    data = path.read_bytes()[:24]
    expect(data[:8] == b"\x89PNG\r\n\x1a\n" and data[12:16] == b"IHDR", f"{path} is no PNG")
    return int.from_bytes(data[16:20], "big"), int.from_bytes(data[20:24], "big")


def check_icons(package):
    for size in ICON_SIZES:
        icon = package.root / f"usr/share/icons/hicolor/{size}x{size}/apps/lanhe-shutdown.png"
        expect(png_size(icon) == (size, size), f"the {size}x{size} icon is {png_size(icon)}")


def check_menu_entry(package):
    """The menu shows the program under its own name, in English where the desktop's language
    is not Chinese (such a desktop may have no Chinese font), with its icon from the hicolor
    theme, and starts the packaged program."""
    entry = desktop_entry(package.root / DESKTOP_ENTRY)
    expect(entry.get("Name") == "Lanhe Auto Shutdown", f"the entry is named {entry.get('Name')}")
    expect(entry.get("Name[zh_CN]") == "蓝禾自动关机",
           f"the entry's Chinese name is {entry.get('Name[zh_CN]')}")
    for size in ICON_SIZES:
        icon = package.root / f"usr/share/icons/hicolor/{size}x{size}/apps/{entry.get('Icon')}.png"
        expect(icon.is_file(), f"the entry's icon {entry.get('Icon')} lacks its {size}x{size} image")
    command = entry.get("Exec", "").split()[0]
    program = package.root / "usr/bin" / command if "/" not in command else package.root / command[1:]
    expect(program == package.root / PROGRAM, f"the entry starts {command}, not /{PROGRAM}")


def check_metadata_validators(package):
    # A hint of desktop-file-validate (two main categories put the entry in two menus) counts
    # as much as an error; appstreamcli's tree check also matches the metainfo's id to its
    # file name and its launchable to the installed desktop entry.
    hints = run(["desktop-file-validate", package.root / DESKTOP_ENTRY])
    expect(not hints, f"desktop-file-validate: {hints}")
    run(["appstreamcli", "validate", "--no-net", package.root / METAINFO])
    run(["appstreamcli", "validate-tree", "--no-net", package.root])


def check_manual_page(package):
    """mandoc's lint reports the style faults man would show, and some more; it must say
    nothing."""
    result = subprocess.run(["mandoc", "-T", "lint", package.root / MANUAL_PAGE],
                            capture_output=True, text=True)
    messages = result.stdout + result.stderr
    expect(result.returncode == 0 and not messages, f"mandoc ({result.returncode}): {messages}")


def check_licence_text(package):
    """The copyright file's last paragraph carries LICENSE's licence text line for line,
    indented by one space, with " ." for an empty line."""
    paragraphs = (package.root / COPYRIGHT).read_text(encoding="utf-8").strip().split("\n\n")
    packaged = [line[1:] if line != " ." else "" for line in paragraphs[-1].splitlines()[1:]]
    licence = (package.source_dir / "LICENSE").read_text(encoding="utf-8")
    expected = licence[licence.index("Permission is hereby granted"):].strip().splitlines()
    expect(packaged == expected,
           f"/{COPYRIGHT} does not carry the licence text of LICENSE:\n" + "\n".join(packaged))


def check_release_version(package):
    """A release names its version in the changelog's newest entry, the metainfo's newest
    release and the manual page's footer, besides the package: none may be left behind."""
    with gzip.open(package.root / CHANGELOG, "rt", encoding="utf-8") as changelog:
        newest = re.match(r"^\S+ \(([^)]+)\)", changelog.readline())
    metainfo = ElementTree.parse(package.root / METAINFO)
    release = metainfo.find("releases/release")
    with gzip.open(package.root / MANUAL_PAGE, "rt", encoding="utf-8") as page:
        footer = re.search(r'^\.TH .* "lanhe\\-shutdown ([^"]*)"', page.read(), re.MULTILINE)
    versions = {
        "the package": package.fields().get("Version"),
        "the changelog's newest entry": newest and newest[1],
        "the metainfo's newest release": release is not None and release.get("version"),
        "the manual page": footer and footer[1],
    }
    wrong = {where: version for where, version in versions.items() if version != package.version}
    expect(not wrong, f"not of version {package.version}: {wrong}")


def dynamic_entries(program):
    return [line for line in run(["readelf", "-d", program]).splitlines()
            if re.search(r"\((RPATH|RUNPATH)\)", line)]


def check_no_search_path(package):
    """The program finds its libraries where the system keeps them: no search path of its own,
    installed or in the build tree that scripts/run.sh starts."""
    for program in (package.root / PROGRAM, package.program):
        entries = dynamic_entries(program)
        expect(not entries, f"{program} has a library search path: {entries}")


def check_no_comment_section(package):
    """Nothing a Debian binary leaves out: the compilers' .comment section."""
    sections = re.findall(r"^\s*\[\s*\d+\]\s+(\S+)",
                          run(["readelf", "-S", "--wide", package.root / PROGRAM]), re.MULTILINE)
    expect(sections, "readelf listed no sections")
    expect(".comment" not in sections, f"/{PROGRAM} keeps its .comment section")


def check_program_starts(package):
    """The packaged program, started as the menu entry does under Xvfb, shows its window with
    Qt's xcb platform and starts nothing; what it loaded is kept for the dependency check."""
    glue = package.source_dir / "tests/package/run_packaged_program.sh"
    run(["bash", glue, package.root / PROGRAM, package.run_dir, package.source_dir])
    plugins = loaded_plugins(package)
    expect(any(plugin.endswith("/platforms/libqxcb.so") for plugin in plugins),
           f"the xcb platform plugin is not loaded: {plugins}")
    calls = (package.run_dir / "systemctl.calls").read_text(encoding="utf-8")
    expect(not calls, f"the program started: {calls}")


def loaded_plugins(package):
    maps = (package.run_dir / "maps").read_text(encoding="utf-8").splitlines()
    return sorted({line.split()[5] for line in maps
                   if len(line.split()) >= 6 and re.search(r"/qt6/plugins/.*\.so$", line)})


def owning_packages(libraries):
    """The installed package owning each library, looked up under each name it may be
    registered as: the path as mapped, its target, and both without /usr (merged-/usr systems
    register /lib paths)."""
    names = {}
    for library in libraries:
        real = os.path.realpath(library)
        for name in (library, real, library.removeprefix("/usr"), real.removeprefix("/usr")):
            names.setdefault(name, library)
    result = subprocess.run(["dpkg", "-S", *names], capture_output=True, text=True)
    owners = {}
    for line in result.stdout.splitlines():
        owner, path = line.split(": ", 1)
        for name in path.split(", "):
            if name in names:
                owners.setdefault(names[name], owner.split(":")[0])
    return owners


def check_libraries_are_dependencies(package):
    """Every library the program cannot start without comes from the package's dependencies
    or theirs, or a fresh machine would install it without what it needs: those the program
    links and those the Qt plugins it loaded (the xcb platform among them) link. Libraries Qt
    only tries to open, like Xcursor, are extras and not counted."""
    depends = package_names(package.fields().get("Depends", ""))
    expect(depends, "the package declares no dependencies")
    closure = run(["apt-cache", "depends", "--recurse", "--installed", "--no-recommends",
                   "--no-suggests", "--no-conflicts", "--no-breaks", "--no-replaces",
                   "--no-enhances", *depends])
    closure = {line.strip() for line in closure.splitlines() if not line.startswith(" ")}
    ldd = run(["ldd", package.root / PROGRAM, *loaded_plugins(package)])
    expect("not found" not in ldd, f"unresolved libraries:\n{ldd}")
    libraries = set(re.findall(r"=> (/\S+)", ldd)) | set(re.findall(r"^\s*(/\S+) \(0x", ldd,
                                                                    re.MULTILINE))
    owners = owning_packages(libraries)
    unowned = sorted(libraries - owners.keys())
    expect(not unowned, f"no installed package owns {unowned}")
    missing = sorted({owner for owner in owners.values() if owner not in closure})
    expect(not missing, f"needed but not among the dependencies: {missing}")


CHECKS = {name.removeprefix("check_"): check for name, check in globals().items()
          if name.startswith("check_")}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("check", choices=sorted(CHECKS))
    for option in ("--build-dir", "--work-dir", "--source-dir", "--version", "--program"):
        parser.add_argument(option, required=True)
    options = parser.parse_args()
    try:
        CHECKS[options.check](Package(options))
    except CheckFailed as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        return 1
    print(f"package check {options.check}: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
