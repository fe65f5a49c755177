#!/usr/bin/env python3
"""Writes packaging/windows/THIRD-PARTY-NOTICES.txt, the notices of what the Windows packages carry
besides the program: Qt with the libraries built into its DLLs, and the MinGW-w64 runtime.

The licence texts come from the Qt source the archive in third_party/qt-mingw was built from
(the folder build-qt-mingw.sh unpacks, which holds its qt_attribution.json files) and from
Debian's copyright files of the MinGW-w64 packages installed here. Which library sits in which
DLL is listed below: read it from the Qt build's configuration (qtcore-config.h,
qtgui-config.h: zlib, PCRE2 with its JIT, PDF, Markdown, FreeType off) when Qt is built again.

Usage: scripts/make-windows-notices.py QT_SOURCE_DIR
"""
import json
import pathlib
import subprocess
import sys

QT_VERSION = "6.4.2"
QT_SOURCE_PACKAGE = "qt6-base"
QT_SOURCE_VERSION = "6.4.2+dfsg-10"
TRANSLATIONS_PACKAGE = "qt6-translations-l10n"

# The third-party code in each shipped file, by the Id of Qt's attribution or a name of ours.
FILES = {
    "Qt6Core.dll": ["qt", "mingw-w64-runtime", "zlib", "pcre2", "pcre2-sljit",
                    "doubleconversion", "tinycbor", "easing", "blake2", "md4", "md5", "sha1",
                    "sha3_keccak", "sha3_endian", "rfc6234", "siphash",
                    "unicode-character-database", "unicode-cldr"],
    "Qt6Gui.dll": ["qt", "mingw-w64-runtime", "harfbuzz-ng", "libpng", "md4c", "grayraster",
                   "smooth-scaling-algorithm", "xserverhelper", "aglfn",
                   "icc-sRGB-color-profile"],
    "Qt6Widgets.dll": ["qt", "mingw-w64-runtime"],
    "platforms\\qwindows.dll": ["qt", "mingw-w64-runtime"],
    "styles\\qwindowsvistastyle.dll": ["qt", "mingw-w64-runtime"],
    "translations\\qtbase_zh_CN.qm": ["qt-translations"],
    "libstdc++-6.dll": ["gcc-runtime", "mingw-w64-runtime"],
    "libgcc_s_seh-1.dll": ["gcc-runtime", "mingw-w64-runtime"],
    "libwinpthread-1.dll": ["winpthreads", "mingw-w64-runtime"],
    "lanhe-shutdown.exe": ["gcc-runtime", "mingw-w64-runtime"],
}

RULE = "=" * 78
GCC_COPYRIGHT = pathlib.Path("/usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright")
MINGW_COPYRIGHT = pathlib.Path("/usr/share/doc/mingw-w64-x86-64-dev/copyright")


def package_version(package):
    return subprocess.run(["dpkg-query", "-W", "-f=${source:Package} ${source:Version}", package],
                          check=True, capture_output=True, text=True).stdout


def read_text(path):
    return path.read_text(encoding="utf-8").lstrip("\ufeff").strip()


def qt_attributions(source):
    found = {}
    for path in (source / "src").rglob("qt_attribution.json"):
        entries = json.loads(path.read_text(encoding="utf-8"), strict=False)
        for entry in entries if isinstance(entries, list) else [entries]:
            found[entry["Id"]] = (path.parent, entry)
    return found


def debian_paragraphs(path):
    """The paragraphs of a machine-readable Debian copyright file, as field -> text."""
    paragraphs, fields, name = [], {}, None
    for line in path.read_text(encoding="utf-8").splitlines() + [""]:
        if not line.strip():
            if fields:
                paragraphs.append(fields)
            fields, name = {}, None
        elif line[0] in " \t" and name:
            fields[name] += "\n" + ("" if line.strip() == "." else line[1:])
        else:
            name, _, value = line.partition(":")
            fields[name] = value.strip()
    return paragraphs


def debian_licence(paragraphs, files=None, licence=None):
    for fields in paragraphs:
        if files and fields.get("Files", "").split("\n")[0] == files:
            return fields["Copyright"], fields["License"]
        standalone = "Files" not in fields
        if licence and standalone and fields.get("License", "").startswith(licence + "\n"):
            return fields["License"].partition("\n")[2]
    raise KeyError(files or licence)


def qt_section(source):
    licence = read_text(source / "LICENSES" / "LGPL-3.0-only.txt")
    gpl = read_text(source / "LICENSES" / "GPL-3.0-only.txt")
    snapshot = f"{QT_SOURCE_PACKAGE}/{QT_SOURCE_VERSION.replace('+', '%2B')}"
    return f"""Qt {QT_VERSION}, its qtbase module: Copyright (C) The Qt Company Ltd. and other
contributors, used under the GNU Lesser General Public License version 3, below, which builds
on the GNU General Public License version 3, below it.

Source: Debian 12's source package {QT_SOURCE_PACKAGE} {QT_SOURCE_VERSION}, with the upstream
security fixes Debian carries (apt-get source {QT_SOURCE_PACKAGE}={QT_SOURCE_VERSION}, or
https://snapshot.debian.org/package/{snapshot}/), cross-built for Windows by
third_party/qt-mingw/build-qt-mingw.sh in the source of this program, which gives each option.
You may replace the Qt DLLs with a build of your own of the same Qt version.

{licence}

{gpl}"""


def gcc_section():
    exception = GCC_COPYRIGHT.read_text(encoding="utf-8")
    last_words = "requirements of the license of GCC."
    start = exception.index("GCC RUNTIME LIBRARY EXCEPTION")
    end = exception.index(last_words, start) + len(last_words)
    return f"""libstdc++-6.dll and libgcc_s_seh-1.dll are the GCC runtime libraries of GCC 12,
from Debian 12's source package {package_version("gcc-mingw-w64-x86-64-posix-runtime")}:
Copyright (C) Free Software Foundation, Inc. They are under the GNU General Public License
version 3 (its text is under Qt above) with the GCC Runtime Library Exception, version 3.1:

{exception[start:end]}"""


def mingw_sections():
    paragraphs = debian_paragraphs(MINGW_COPYRIGHT)
    source = package_version("mingw-w64-x86-64-dev")
    runtime_copyright, runtime_licence = debian_licence(paragraphs, files="*")
    lockless_copyright, lockless_licence = debian_licence(
        paragraphs, files="mingw-w64-libraries/winpthreads/include/pthread.h")
    winpthreads_copyright, _ = debian_licence(
        paragraphs, files="mingw-w64-libraries/winpthreads/*")
    expat = debian_licence(paragraphs, licence="expat")
    runtime = f"""The start-up code and C runtime helpers that MinGW-w64 links into every program
and DLL, from Debian 12's source package {source}: Copyright (C) {runtime_copyright}.
Parts are in the public domain; the rest is under the Zope Public License 2.1:

{runtime_licence.partition(chr(10))[2]}"""
    winpthreads = f"""libwinpthread-1.dll is the POSIX threads library of MinGW-w64, from Debian
12's source package {source}: Copyright (C) {winpthreads_copyright}, under the MIT licence:

{expat}

Its pthread.h: Copyright (C) {lockless_copyright}, under this licence:

{lockless_licence.partition(chr(10))[2]}

Its clock.c and nanosleep.c are in the public domain."""
    return runtime, winpthreads


def attribution_section(folder, entry):
    text = f"{entry.get('QtUsage', '')}\n"
    if entry.get("Version"):
        text += f"Version: {entry['Version']}\n"
    text += f"Copyright: {entry.get('Copyright', '').strip()}\nLicence: {entry['License']}\n"
    if entry.get("LicenseFile"):
        text += "\n" + read_text(folder / entry["LicenseFile"])
    if entry["Id"] == "grayraster":
        text = (f"{entry.get('QtUsage', '')} Used under the FreeType License (FTL): portions of "
                "this software are copyright (C) 2000-2016 The FreeType Project "
                "(www.freetype.org). All rights reserved.\nCopyright: "
                f"{entry['Copyright']}\n\n"
                + read_text(folder / "../../3rdparty/freetype/docs/FTL.TXT"))
    return text


def titles_and_texts(source):
    attributions = qt_attributions(source)
    runtime, winpthreads = mingw_sections()
    own = {
        "qt": (f"Qt {QT_VERSION}", qt_section(source)),
        "qt-translations": (
            f"Qt {QT_VERSION} translations",
            "translations\\qtbase_zh_CN.qm, the Chinese texts of Qt's own dialogs, from Debian "
            f"12's package {TRANSLATIONS_PACKAGE} (source "
            f"{package_version(TRANSLATIONS_PACKAGE)}): part of Qt, under Qt's licences above."),
        "gcc-runtime": ("GCC runtime libraries", gcc_section()),
        "mingw-w64-runtime": ("MinGW-w64 runtime", runtime),
        "winpthreads": ("MinGW-w64 winpthreads", winpthreads),
    }
    sections = {}
    for components in FILES.values():
        for component in components:
            if component in own:
                sections[component] = own[component]
            elif component not in sections:
                folder, entry = attributions[component]
                # A version that is a commit id stays in the section's text.
                version = entry.get("Version", "")
                title = f"{entry['Name']} {version}" if len(version) <= 10 else entry["Name"]
                sections[component] = (title.strip(), attribution_section(folder, entry))
    return sections


def notices(source):
    sections = titles_and_texts(source)
    lines = ["蓝禾自动关机 — 第三方组件声明 / Third-party notices", RULE, "",
             "蓝禾自动关机 本身以 MIT 许可证发布（见 LICENSE.txt）。",
             "随程序附带的 Qt 和 MinGW-w64 运行库各有其许可证：下面列出每个文件包含的组件，",
             "并附上许可证全文和源代码的来源。", "",
             "蓝禾自动关机 itself is under the MIT licence (LICENSE.txt). The Windows packages",
             "also carry Qt and the MinGW-w64 runtime, each under its own licence. Below: what",
             "each file holds, then each part with its copyright, its licence in full and where",
             "its source is.", "", "Files", "-----"]
    for name, components in FILES.items():
        lines.append(f"{name}: " + "; ".join(sections[c][0] for c in components))
    for title, text in sections.values():
        lines += ["", "", RULE, title, RULE, "", text]
    return "\n".join(lines) + "\n"


def main():
    source = pathlib.Path(sys.argv[1])
    root = pathlib.Path(__file__).resolve().parent.parent
    target = root / "packaging/windows/THIRD-PARTY-NOTICES.txt"
    target.write_text(notices(source), encoding="utf-8")
    print(f"wrote {target}")


if __name__ == "__main__":
    main()
