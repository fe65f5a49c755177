"""Checks of the Windows packages read on the host, without running them: the program's
resources, what each file imports, the notices, the texts, the installer's picture.
"unpack" (a fixture) unpacks the zip into the build's wine folder, where the checks read it."""
import os
import re
import shutil
import struct
import subprocess
import xml.etree.ElementTree
import zipfile

from lanhe_wine import BUILD, PACKAGE, SETUP, SOURCE, UNPACKED, VERSION, check, main

WINDOWS_DLLS = {
    "advapi32", "authz", "comdlg32", "d3d11", "d3d9", "dwmapi", "dwrite", "dxgi", "gdi32", "imm32",
    "iphlpapi", "kernel32", "mpr", "msvcrt", "netapi32", "ole32", "oleaut32", "powrprof",
    "setupapi", "shcore", "shell32", "shlwapi", "user32", "userenv", "uxtheme", "version", "winmm",
    "ws2_32", "wtsapi32"}
RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
RULE = "=" * 78


def unpack():
    target = UNPACKED.parent
    shutil.rmtree(target, ignore_errors=True)
    package = BUILD / f"{PACKAGE}.zip"
    with zipfile.ZipFile(package) as archive:
        archive.extractall(target)
    return (f"{len(packaged_files())} files in {UNPACKED}; the zip {package.stat().st_size // 1024}"
            f" KiB, the installer {SETUP.stat().st_size // 1024} KiB")


def packaged_files():
    """The package's files by their Windows paths (platforms\\qwindows.dll)."""
    return sorted(str(path.relative_to(UNPACKED)).replace("/", "\\")
                  for path in UNPACKED.rglob("*") if path.is_file())


def pe_resources(path):
    """The resources of a PE file as {(type, name): data}, names as numbers or texts."""
    image = path.read_bytes()
    header = struct.unpack_from("<I", image, 0x3C)[0]
    sections, optional_size = struct.unpack_from("<H12xH", image, header + 6)
    optional = header + 24
    check(struct.unpack_from("<H", image, optional)[0] == 0x20B, f"{path.name} is no PE32+ file")
    rsrc_rva = struct.unpack_from("<I", image, optional + 112 + 2 * 8)[0]
    table = [struct.unpack_from("<8xIIII", image, optional + optional_size + 40 * i)
             for i in range(sections)]

    def offset(rva):
        for size, address, _, raw in table:
            if address <= rva < address + size:
                return rva - address + raw
        raise ValueError(rva)

    base = offset(rsrc_rva)

    def entries(directory):
        named, numbered = struct.unpack_from("<12xHH", image, base + directory)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", image, base + directory + 16 + 8 * i)
            if name & 0x80000000:
                length = struct.unpack_from("<H", image, base + (name & 0x7FFFFFFF))[0]
                start = base + (name & 0x7FFFFFFF) + 2
                name = image[start:start + 2 * length].decode("utf-16-le")
            yield name, target

    resources = {}
    for kind, names in entries(0):
        for name, languages in entries(names & 0x7FFFFFFF):
            for _, leaf in entries(languages & 0x7FFFFFFF):
                rva, size = struct.unpack_from("<II", image, base + leaf)
                resources[(kind, name)] = image[offset(rva):offset(rva) + size]
    return resources


def resources():
    found = pe_resources(UNPACKED / "lanhe-shutdown.exe")
    group = found.get((RT_GROUP_ICON, "IDI_ICON1"))
    check(group is not None, f"no icon group IDI_ICON1 (Qt's windows take their first icon from "
          f"it) among {sorted(found)}")
    count = struct.unpack_from("<H", group, 4)[0]
    images = [struct.unpack_from("<BxxxxxHxxxxH", group, 6 + 14 * i) for i in range(count)]
    sizes = [(width or 256, bits) for width, bits, _ in images]
    check(sizes == [(16, 24), (256, 32), (48, 32), (32, 32), (16, 32)],
          f"the icon's images (width, bits) are {sizes}")
    check(all((RT_ICON, number) in found for _, _, number in images), "an icon image is missing")
    manifest = xml.etree.ElementTree.fromstring(found[(RT_MANIFEST, 1)])
    levels = [e.get("level") for e in manifest.iter() if e.tag.endswith("requestedExecutionLevel")]
    check(levels == ["asInvoker"], f"the manifest asks for {levels}")
    version = found[(RT_VERSION, 1)]
    fixed = version.index(struct.pack("<I", 0xFEEF04BD))
    major_minor, patch_build = struct.unpack_from("<8xII", version, fixed)
    numbers = (major_minor >> 16, major_minor & 0xFFFF, patch_build >> 16, patch_build & 0xFFFF)
    check(numbers == (*map(int, VERSION.split(".")), 0), f"the file version is {numbers}")
    holder = re.search(r"Copyright \(c\) .*", (SOURCE / "LICENSE").read_text()).group(0)
    check(f"LegalCopyright\0{holder}\0".encode("utf-16-le") in version,
          f"the version information names no {holder}")
    return f"icon IDI_ICON1 16x16 24-bit, 256, 48, 32, 16 32-bit; manifest; {VERSION}; {holder}"


def imports(path):
    dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", str(path)], check=True,
                          capture_output=True, text=True).stdout
    return [name.lower() for name in re.findall(r"^\tDLL Name: (.+)$", dump, re.MULTILINE)]


def imports_only_packaged_and_windows():
    packaged = {name.rsplit("\\", 1)[-1].lower() for name in packaged_files()}
    foreign = [f"{path.name}: {dll}" for path in sorted(UNPACKED.rglob("*"))
               if path.suffix.lower() in (".exe", ".dll") for dll in imports(path)
               if dll not in packaged and dll.removesuffix(".dll") not in WINDOWS_DLLS
               and not dll.startswith("api-ms-win-")]
    check(not foreign, f"imports from outside the package and Windows: {foreign}")
    return " ".join(imports(UNPACKED / "lanhe-shutdown.exe"))


def one_cxx_runtime():
    """The program uses Qt's C++ runtime, and every packaged file that uses one uses the same."""
    program = imports(UNPACKED / "lanhe-shutdown.exe")
    check("libstdc++-6.dll" in program, f"the program carries a C++ runtime of its own: {program}")
    others = {f"{path.name}: {dll}" for path in UNPACKED.rglob("*.dll") for dll in imports(path)
              if re.match(r"lib(stdc\+\+|c\+\+)", dll) and dll != "libstdc++-6.dll"}
    check(not others, f"a second C++ runtime: {others}")
    return "libstdc++-6.dll"


def text_of(path):
    return path.read_bytes().decode("utf-8-sig").replace("\r\n", "\n")


def notices():
    """Each DLL, plugin and translation of the package has its notice, and each notice its text."""
    text = text_of(UNPACKED / "THIRD-PARTY-NOTICES.txt")
    listing = text.split("\nFiles\n-----\n", 1)[1].split("\n\n", 1)[0]
    covered = dict(line.split(": ", 1) for line in listing.splitlines())
    lines = text.splitlines()
    titles = [lines[i + 1] for i in range(len(lines) - 2) if lines[i] == RULE == lines[i + 2]]
    shipped = [name for name in packaged_files() if name.lower().endswith((".dll", ".qm", ".exe"))]
    check(not set(shipped) - set(covered), f"no notice for {sorted(set(shipped) - set(covered))}")
    check(not set(covered) - set(shipped), f"notices for files not shipped: "
          f"{sorted(set(covered) - set(shipped))}")
    named = {part for parts in covered.values() for part in parts.split("; ")}
    check(named == set(titles), f"parts without a text: {sorted(named - set(titles))}; texts "
          f"no file needs: {sorted(set(titles) - named)}")
    qt_version = os.environ["LANHE_QT_VERSION"]
    qt = text.split(f"{RULE}\nQt {qt_version}\n{RULE}\n", 1)
    check(len(qt) == 2, f"no notice of Qt {qt_version}, the Qt this build uses")
    # Where Qt's source is, and the licence texts the Qt and GCC parts refer to.
    for expected in (rf"qt6-base {re.escape(qt_version)}\+",
                     r"third_party/qt-mingw/build-qt-mingw\.sh",
                     r"GNU LESSER GENERAL PUBLIC LICENSE\s+Version 3,",
                     r"GNU GENERAL PUBLIC LICENSE\s+Version 3,",
                     r"GCC RUNTIME LIBRARY EXCEPTION\s+Version 3\.1,"):
        check(re.search(expected, qt[1]), f"the notices lack {expected!r}")
    return f"{len(shipped)} files, {len(titles)} parts: " + ", ".join(titles)


def texts():
    """Every text of the package opens right in Notepad: UTF-8 with a byte-order mark, CRLF."""
    seen = []
    for path in sorted(UNPACKED.glob("*.txt")):
        data = path.read_bytes()
        check(data.startswith(b"\xef\xbb\xbf"), f"{path.name} has no byte-order mark")
        try:
            data.decode("utf-8")
        except UnicodeDecodeError as error:
            check(False, f"{path.name} is no UTF-8: {error}")
        check(data.count(b"\n") == data.count(b"\r\n") == data.count(b"\r"),
              f"{path.name} has a line end other than CRLF")
        seen.append(path.name)
    check({"LICENSE.txt", "README.txt", "THIRD-PARTY-NOTICES.txt"} <= set(seen),
          f"the texts are {seen}")
    readme = text_of(UNPACKED / "README.txt")
    for removal in ("删掉整个文件夹", "“设置 > 应用”", "delete the folder", "Settings > Apps"):
        check(removal in readme, f"README.txt does not tell {removal!r}")
    return ", ".join(seen)


def finish_picture():
    """The installer's finish page shows the program's own picture, not NSIS's."""
    shown = subprocess.run(["7z", "e", "-so", str(SETUP),
                            "$PLUGINSDIR/modern-wizard.bmp"], capture_output=True).stdout
    own = (SOURCE / "resources/icons/lanhe-shutdown-installer.bmp").read_bytes()
    check(shown == own, f"the finish page's picture ({len(shown)} bytes) is not the program's")
    return f"{len(own)} bytes"


if __name__ == "__main__":
    raise SystemExit(main({
        "unpack": unpack, "resources": resources, "imports": imports_only_packaged_and_windows,
        "one-cxx-runtime": one_cxx_runtime, "notices": notices, "texts": texts,
        "finish-picture": finish_picture}))
