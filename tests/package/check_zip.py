#!/usr/bin/env python3
"""Checks a release zip as scripts/package writes it; with --list also prints its entries, with
--unpack DEST writes its folder's files into DEST as an unzip does (names from code page 932).

    check_zip.py [--list | --unpack DEST] dist/Tabvane-<version>-<win64|win32>.zip

What a user's unzip and Tabvane itself rely on: one folder Tabvane-<version>/ with the expected
files; names in code page 932 without the UTF-8 flag; sorted entries with one time stamp and no
extra fields (reproducible); text files in code page 932 with CR LF only; transforms whose first
line is their REM title; menus that name transforms relative to the folder, one menu block per
tab of the command list; a guide that names the zip itself; an exe for the zip's architecture
with a zero link time stamp and the version in its version resource. Exits 1 with one line per
fault.
"""
import os
import re
import struct
import sys
import zipfile

MACHINES = {"win64": 0x8664, "win32": 0x014C}
UTF8_FLAG = 0x800


def text_faults(name, data):
    try:
        text = data.decode("cp932")
    except UnicodeDecodeError as error:
        return [f"{name}: not code page 932 ({error.reason} at byte {error.start})"]
    faults = []
    if re.search(r"(?<!\r)\n|\r(?!\n)", text):
        faults.append(f"{name}: a line end other than CR LF")
    if text and not text.endswith("\r\n"):
        faults.append(f"{name}: last line without CR LF")
    return faults


def tab_count(command_list):
    """Tabs that the command list opens on the six shown pages: within a page block, an entry
    line opens a tab when its name differs from the entry line before it."""
    tabs, page, previous = 0, -1, None
    for line in command_list.split("\r\n")[:-1]:
        if "\t" not in line:
            page, previous = page + 1, None
            continue
        tab_name = line.split("\t", 1)[0]
        if 0 <= page <= 5 and tab_name != previous:
            tabs += 1
        previous = tab_name
    return tabs


def menu_faults(files, folder):
    faults = []
    command_list = files[folder + "com_list.txt"].decode("cp932")
    menu_file = files[folder + "ga_list.txt"].decode("cp932")
    slot_lines = [line for line in menu_file.split("\r\n") if "\t" in line]
    if len(slot_lines) != 36 * tab_count(command_list):
        faults.append(f"ga_list.txt: {len(slot_lines)} slot lines for "
                      f"{tab_count(command_list)} tabs of com_list.txt")
    for line in slot_lines:
        path = line.split("\t", 1)[1]
        if path and (":" in path or path.startswith("\\") or "%" in path):
            faults.append(f"ga_list.txt: not relative to the folder: {path}")
        elif path.startswith("transforms\\") and path.endswith(".bat"):
            pass  # a sample may name a transform that is deliberately not shipped
        elif path:
            faults.append(f"ga_list.txt: not a transform of the folder: {path}")
    return faults


def exe_faults(name, data, arch, version):
    faults = []
    if data[:2] != b"MZ":
        return [f"{name}: not an exe"]
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    machine, _, stamp = struct.unpack_from("<HHI", data, pe + 4)
    if machine != MACHINES[arch]:
        faults.append(f"{name}: machine {machine:#x}, not {arch}")
    if stamp != 0:
        faults.append(f"{name}: link time stamp {stamp:#x} (not reproducible)")
    for key in ("FileVersion", "ProductVersion"):
        entry = (key + "\0").encode("utf-16-le")
        at = data.find(entry)
        if at < 0:
            faults.append(f"{name}: no {key} in the version resource")
            continue
        at += len(entry)
        at += at % 4  # the value starts on a 32-bit boundary
        end = data.find(b"\0\0", at)
        while end >= 0 and (end - at) % 2:
            end = data.find(b"\0\0", end + 1)
        value = data[at:end].decode("utf-16-le")
        if value != version:
            faults.append(f"{name}: {key} {value!r}, not {version!r}")
    return faults


def check(path):
    match = re.search(r"Tabvane-([0-9.]+)-(win64|win32)\.zip$", path)
    if not match:
        return [f"{path}: not named Tabvane-<version>-<win64|win32>.zip"]
    version, arch = match.groups()
    folder = f"Tabvane-{version}/"
    faults = []
    with zipfile.ZipFile(path, metadata_encoding="cp932") as archive:
        infos = archive.infolist()
        files = {info.filename: archive.read(info) for info in infos}
    raw_names = [info.orig_filename.encode("utf-8" if info.flag_bits & UTF8_FLAG else "cp932")
                 for info in infos]
    if raw_names != sorted(raw_names):
        faults.append("entries not in sorted order")
    if len({info.date_time for info in infos}) != 1:
        faults.append("entries with different time stamps")
    for info in infos:
        if info.flag_bits & UTF8_FLAG:
            faults.append(f"{info.filename}: UTF-8 flag set")
        if info.extra:
            faults.append(f"{info.filename}: extra fields {info.extra.hex()}")
        if not info.filename.startswith(folder):
            faults.append(f"{info.filename}: outside {folder}")

    expected = ["Tabvane.exe", "com_list.txt", "ga_list.txt", "使い方.txt", "LICENSE.txt"]
    missing = [name for name in expected if folder + name not in files]
    transforms = [name for name in files if name.startswith(folder + "transforms/")]
    faults += [f"{folder}{name}: missing" for name in missing]
    if not transforms:
        faults.append("no transforms")
    if missing:
        return faults

    for name, data in files.items():
        if name.endswith((".txt", ".bat")):
            faults += text_faults(name, data)
    for name in transforms:
        first = files[name].decode("cp932", "replace").split("\r\n", 1)[0]
        if not re.match(r"\s*@?rem\s+\S", first, re.IGNORECASE):
            faults.append(f"{name}: first line is not a REM title: {first!r}")
    if "MIT License" not in files[folder + "LICENSE.txt"].decode("cp932"):
        faults.append("LICENSE.txt: not the MIT licence")
    if f"Tabvane-{version}-{arch}.zip" not in files[folder + "使い方.txt"].decode("cp932"):
        faults.append(f"使い方.txt: does not name Tabvane-{version}-{arch}.zip")
    faults += menu_faults(files, folder)
    faults += exe_faults(folder + "Tabvane.exe", files[folder + "Tabvane.exe"], arch, version)
    return faults


def listing(path):
    with zipfile.ZipFile(path, metadata_encoding="cp932") as archive:
        for info in archive.infolist():
            stamp = "%04d-%02d-%02d %02d:%02d" % info.date_time[:5]
            print(f"{info.file_size:9d} {info.compress_size:9d}  {stamp}  {info.filename}")


def unpack(path, dest):
    """The files of the zip's one folder, written into dest (the folder a user renamed)."""
    with zipfile.ZipFile(path, metadata_encoding="cp932") as archive:
        for info in archive.infolist():
            target = os.path.join(dest, *info.filename.split("/")[1:])
            os.makedirs(os.path.dirname(target), exist_ok=True)
            with open(target, "wb") as out:
                out.write(archive.read(info))


def main(arguments):
    show = arguments[:1] == ["--list"]
    dest = arguments[1] if arguments[:1] == ["--unpack"] and len(arguments) > 1 else None
    paths = arguments[1:] if show else arguments[2:] if dest else arguments
    if len(paths) != 1:
        print(__doc__.strip().splitlines()[3].strip(), file=sys.stderr)
        return 2
    faults = check(paths[0])
    for fault in faults:
        print(f"{paths[0]}: {fault}", file=sys.stderr)
    if show:
        listing(paths[0])
    if dest and not faults:
        unpack(paths[0], dest)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
