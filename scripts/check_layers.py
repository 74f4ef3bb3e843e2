#!/usr/bin/env python3
"""Checks that the engine's folders depend one way, as cmake/Layers.txt lays down.

Every #include of every C/C++ file under the source root is resolved the way the compiler
resolves it (a quoted name first beside the including file, then from the source root) and
checked against the layer table; so is every engine library that a CMakeLists.txt links. Each
break is printed as "file:line: what is wrong", and the exit status is 1 when there is any.

The table is refused (exit status 2) when a row names a single file, or a folder inside a folder
that a row already names: each folder, with all its subfolders, belongs to exactly one layer. A
row headed TestsMayLink is no layer: it names libraries that test programs (CMakeLists.txt under
tests/ or bench/) of any layer may link.

    scripts/check_layers.py [--root DIR] [--table FILE]

Build trees (folders holding a CMakeCache.txt) and hidden folders are skipped.
"""

import argparse
import os
import re
import sys

SOURCE_EXTENSIONS = {".h", ".hh", ".hpp", ".hxx", ".inl", ".ipp", ".c", ".cc", ".cpp", ".cxx"}
INCLUDE_LINE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
# CMake commands whose arguments after the first (the target) may name engine libraries.
LINK_COMMAND = re.compile(
    r"\b(engine_add_library|engine_add_test|engine_add_benchmark|quill_add_fuzzer|"
    r"target_link_libraries)\s*\(([^)]*)\)"
)
TEST_ROOTS = ("tests/", "bench/")
TESTS_PREFIX = "tests/"
# The head of the row naming libraries every test program may link.
TESTS_MAY_LINK = "TestsMayLink"
# Exit status for a table that cannot be read (1 is kept for layering breaks).
EXIT_BAD_TABLE = 2


class LayerTable:
    """Folder entries, each with the index of its layer (0 is the lowest).

    Every entry is a folder standing for all its subfolders, and no entry lies inside another,
    so at most one entry covers a path: there is no rule of which match wins.
    """

    def __init__(self, path):
        self.path = path
        self.names = []
        self.entries = {}
        self.rows = {}
        self.test_links = set()
        with open(path, encoding="utf-8") as table:
            for number, line in enumerate(table, 1):
                words = line.split("#", 1)[0].split()
                if not words:
                    continue
                if len(words) < 2:
                    raise ValueError(f"{path}:{number}: layer '{words[0]}' names no folder")
                if words[0] == TESTS_MAY_LINK:
                    self.test_links.update(words[1:])
                    continue
                self.names.append(words[0])
                for entry in words[1:]:
                    entry = entry.strip("/")
                    if entry in self.entries:
                        raise ValueError(f"{path}:{number}: '{entry}' is in two layers")
                    self.entries[entry] = len(self.names) - 1
                    self.rows[entry] = number
        if not self.names:
            raise ValueError(f"{path}: the table names no layer")
        for entry in self.entries:
            outer = self._covering(entry, exclude=entry)
            if outer is not None:
                raise ValueError(
                    f"{path}:{self.rows[entry]}: '{entry}' lies inside the folder '{outer}' "
                    f"(line {self.rows[outer]}): a folder's subfolders belong to its layer"
                )

    def check_folders(self, root):
        """Refuses an entry that names a single file under root rather than a folder."""
        for entry, number in self.rows.items():
            where = os.path.join(root, entry)
            if os.path.isdir(where):
                continue
            if os.path.exists(where) or any(
                os.path.isfile(where + extension) for extension in SOURCE_EXTENSIONS
            ):
                raise ValueError(
                    f"{self.path}:{number}: '{entry}' names a single file: each row names "
                    f"folders only"
                )

    def _covering(self, path, exclude=None):
        """The entry whose folder holds path (the path itself when it is an entry)."""
        folder = path
        while folder:
            if folder in self.entries and folder != exclude:
                return folder
            folder = folder.rpartition("/")[0]
        return None

    def layer_of(self, path):
        """The layer index of a source-root-relative path, or None when no row covers it."""
        entry = self._covering(os.path.dirname(path))
        if entry is None and path.startswith(TESTS_PREFIX):
            # tests/<X>/... sits with <X> unless a tests/ row names it.
            entry = self._covering(os.path.dirname(path[len(TESTS_PREFIX) :]))
        return None if entry is None else self.entries[entry]


def is_test_code(path):
    return path.startswith(TEST_ROOTS)


def walk_files(root, wanted):
    """Source-root-relative paths ('/'-separated, sorted) of the files for which wanted(name)."""
    found = []
    for folder, subfolders, files in os.walk(root):
        if "CMakeCache.txt" in files:
            subfolders[:] = []
            continue
        subfolders[:] = sorted(s for s in subfolders if not s.startswith("."))
        for name in files:
            if wanted(name):
                found.append(os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/"))
    return sorted(found)


def resolve_include(root, including, bracket, name):
    """The source-root-relative path an include names, or None for a header outside the tree."""
    candidates = []
    if bracket == '"':
        candidates.append(os.path.join(os.path.dirname(including), name))
    candidates.append(name)
    for candidate in candidates:
        candidate = os.path.normpath(candidate).replace(os.sep, "/")
        if not candidate.startswith("../") and os.path.isfile(os.path.join(root, candidate)):
            return candidate
    # A quoted name that resolves nowhere is still judged by its path, so that an include of a
    # folder that does not exist yet (Core naming Graphics/...) is caught as well.
    if bracket == '"':
        candidate = os.path.normpath(name).replace(os.sep, "/")
        if not candidate.startswith("../"):
            return candidate
    return None


def check_includes(root, table, problems):
    files = walk_files(root, lambda name: os.path.splitext(name)[1] in SOURCE_EXTENSIONS)
    count = 0
    for path in files:
        layer = table.layer_of(path)
        if layer is None:
            problems.append(
                f"{path}:1: the folder '{os.path.dirname(path) or '.'}' is not in the layer "
                f"table: a new folder must be added to cmake/Layers.txt"
            )
            continue
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as source:
            for number, line in enumerate(source, 1):
                match = INCLUDE_LINE.match(line)
                if not match:
                    continue
                target = resolve_include(root, path, match.group(1), match.group(2))
                target_layer = None if target is None else table.layer_of(target)
                if target_layer is None:
                    continue  # a library header (lua.hpp, gtest/gtest.h, ...)
                count += 1
                where = f"{path}:{number}: {table.names[layer]} includes \"{match.group(2)}\""
                if is_test_code(target) and not is_test_code(path):
                    problems.append(f"{where}, a test helper: engine code never includes tests")
                elif target_layer > layer:
                    problems.append(
                        f"{where} of the higher layer {table.names[target_layer]} "
                        f"(cmake/Layers.txt)"
                    )
    return len(files), count


def check_links(root, table, problems):
    """Every engine library linked from a CMakeLists.txt must sit at or below the linking folder."""
    lists = walk_files(root, lambda name: name == "CMakeLists.txt")
    texts = {}
    library_layer = {}
    for path in lists:
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as text:
            # Comments dropped, line breaks kept so that offsets still give line numbers.
            texts[path] = re.sub(r"#[^\n]*", "", text.read())
        for match in LINK_COMMAND.finditer(texts[path]):
            words = match.group(2).split()
            layer = table.layer_of(os.path.dirname(path) + "/CMakeLists.txt")
            if match.group(1) == "engine_add_library" and words and layer is not None:
                library_layer[words[0]] = layer
    count = 0
    for path in lists:
        layer = table.layer_of(os.path.dirname(path) + "/CMakeLists.txt")
        if layer is None:
            continue  # the top level and cmake/ helpers belong to no layer
        for match in LINK_COMMAND.finditer(texts[path]):
            number = texts[path].count("\n", 0, match.start()) + 1
            words = match.group(2).split()
            for library in words[1:]:
                if library not in library_layer:
                    continue
                count += 1
                if is_test_code(path) and library in table.test_links:
                    continue
                if library_layer[library] > layer:
                    problems.append(
                        f"{path}:{number}: {table.names[layer]} links '{library}' of the higher "
                        f"layer {table.names[library_layer[library]]} (cmake/Layers.txt)"
                    )
    return count


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description="Check includes and links against the layers.")
    parser.add_argument("--root", default=os.path.dirname(here), help="source root")
    parser.add_argument("--table", help="layer table (default: ROOT/cmake/Layers.txt)")
    args = parser.parse_args()
    root = os.path.abspath(args.root)
    try:
        table = LayerTable(args.table or os.path.join(root, "cmake", "Layers.txt"))
        table.check_folders(root)
    except (OSError, ValueError) as error:
        print(f"check_layers: cannot read the layer table: {error}", file=sys.stderr)
        return EXIT_BAD_TABLE

    problems = []
    files, includes = check_includes(root, table, problems)
    links = check_links(root, table, problems)
    for problem in problems:
        print(problem)
    print(
        f"check_layers: {files} files, {includes} includes and {links} library links checked "
        f"against {len(table.names)} layers: {len(problems)} breaks"
    )
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
