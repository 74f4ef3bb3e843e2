#!/usr/bin/env python3
"""Runs scripts/check_layers.py with the real layer table on small made-up source trees: a tree
that keeps the layers passes, and each kind of break fails naming the file and the line."""

import os
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CHECKER = os.path.join(ROOT, "scripts", "check_layers.py")
TABLE = os.path.join(ROOT, "cmake", "Layers.txt")

# A tree that follows the table, including its less obvious rules: Xml sits below Core although
# Serializer sits above it, tests/<X> sits with <X> (a platform test helper serves the tests of
# every layer), and a quoted name is looked up beside the including file first.
CLEAN_TREE = {
    "Platform/Terminal.h": "#pragma once\n",
    "Platform/CMakeLists.txt": "engine_add_library(platform SOURCES Terminal.cpp LIBS glfw)\n",
    "Math/Vector3.h": "#pragma once\n",
    "Math/CMakeLists.txt": "engine_add_library(math SOURCES Vector3.cpp)\n",
    "Math/Shapes/Sphere.h": '#pragma once\n#include "../Vector3.h"\n#include <cmath>\n',
    "Xml/XmlReader.h": '#pragma once\n#include "Math/Vector3.h"\n',
    "Core/Engine.cpp": '#include "Engine.h"\n#include "Xml/XmlReader.h"\n'
    '#include "Platform/Terminal.h"\n#include <tinyxml2.h>\n',
    "Core/Engine.h": "#pragma once\n",
    "Core/CMakeLists.txt": "engine_add_library(core SOURCES Engine.cpp LIBS platform math)\n",
    "tests/Support/World.h": '#pragma once\n#include "Core/Engine.h"\n',
    "tests/Core/EngineTest.cpp": '#include "tests/Support/World.h"\n#include <gtest/gtest.h>\n',
    "bench/EngineBench.cpp": '#include "Core/Engine.h"\n#include "tests/Support/World.h"\n',
    "tests/Platform/Support/SilentTerminal.h": '#pragma once\n#include "Platform/Terminal.h"\n',
    "tests/Math/VectorTest.cpp": '#include "tests/Platform/Support/SilentTerminal.h"\n',
    "tests/Xml/Fuzz/XmlReaderFuzzHarness.h": '#pragma once\n#include "Xml/XmlReader.h"\n',
    "tests/Fuzz/XmlReaderFuzzer.cpp": '#include "tests/Xml/Fuzz/XmlReaderFuzzHarness.h"\n',
}


class CheckLayersTest(unittest.TestCase):
    def run_checker(self, changes, table=None):
        """Writes the clean tree with changes applied (None removes a file) and runs the checker,
        with the real layer table or the text of another one."""
        files = dict(CLEAN_TREE)
        files.update(changes)
        with tempfile.TemporaryDirectory() as root:
            table_path = TABLE
            if table is not None:
                table_path = os.path.join(root, "Layers.txt")
                with open(table_path, "w", encoding="utf-8") as out:
                    out.write(table)
            for path, text in files.items():
                if text is None:
                    continue
                os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
                with open(os.path.join(root, path), "w", encoding="utf-8") as out:
                    out.write(text)
            done = subprocess.run(
                [sys.executable, CHECKER, "--root", root, "--table", table_path],
                capture_output=True, text=True, check=False,
            )
        return done.returncode, done.stdout + done.stderr

    def assert_fails_with(self, changes, *lines):
        status, output = self.run_checker(changes)
        self.assertEqual(status, 1, output)
        for line in lines:
            self.assertIn(line, output)
        return output

    def test_tree_that_keeps_the_layers_passes(self):
        status, output = self.run_checker({})
        self.assertEqual(status, 0, output)
        self.assertIn("0 breaks", output)

    def test_lower_folder_including_a_higher_one_fails_with_file_and_line(self):
        self.assert_fails_with(
            {
                # Graphics need not exist yet: the path alone places the include.
                "Core/Engine.cpp": '#include "Engine.h"\n\n#include "Graphics/Renderer.h"\n',
                "Core/Engine.h": '#pragma once\n#include "Serializer/ObjectXml.h"\n',
                "Serializer/ObjectXml.h": "#pragma once\n",
                # A subfolder sits in the layer of its folder.
                "Math/Shapes/Sphere.h": '#pragma once\n#include "Core/Engine.h"\n',
                "Xml/XmlReader.h": '#pragma once\n#include "Serializer/ObjectXml.h"\n',
            },
            'Core/Engine.cpp:3: Core includes "Graphics/Renderer.h" of the higher layer Graphics',
            'Core/Engine.h:2: Core includes "Serializer/ObjectXml.h" of the higher layer Serializer',
            'Math/Shapes/Sphere.h:2: Math includes "Core/Engine.h" of the higher layer Core',
            'Xml/XmlReader.h:2: Xml includes "Serializer/ObjectXml.h" of the higher layer '
            "Serializer",
            "4 breaks",
        )

    def test_folder_missing_from_the_table_fails(self):
        self.assert_fails_with(
            {"Widgets/Button.cpp": '#include "Core/Engine.h"\n'},
            "Widgets/Button.cpp:1: the folder 'Widgets' is not in the layer table",
        )

    def test_test_helpers_stay_with_tests_of_their_layer(self):
        self.assert_fails_with(
            {
                "Core/Engine.h": '#pragma once\n#include "tests/Support/World.h"\n',
                "tests/Math/VectorTest.cpp": '#include "tests/Support/World.h"\n',
                "tests/Platform/Support/SilentTerminal.h": '#include "Core/Engine.h"\n',
                "tests/Xml/Fuzz/XmlReaderFuzzHarness.h": '#include "tests/Support/World.h"\n',
            },
            'Core/Engine.h:2: Core includes "tests/Support/World.h", a test helper',
            'tests/Math/VectorTest.cpp:1: Math includes "tests/Support/World.h" of the higher '
            "layer Core",
            'tests/Platform/Support/SilentTerminal.h:1: Platform includes "Core/Engine.h" of the '
            "higher layer Core",
            'tests/Xml/Fuzz/XmlReaderFuzzHarness.h:1: Xml includes "tests/Support/World.h" of the '
            "higher layer Core",
        )

    def test_library_linking_a_higher_one_fails(self):
        self.assert_fails_with(
            {
                "Platform/CMakeLists.txt": "engine_add_library(platform\n"
                "    SOURCES Terminal.cpp\n    LIBS glfw)\ntarget_link_libraries(platform math)\n"
            },
            "Platform/CMakeLists.txt:4: Platform links 'math' of the higher layer Math",
        )

    def test_only_test_programs_may_link_the_libraries_every_test_may_link(self):
        script_tables = {
            "ScriptApi/CMakeLists.txt": "engine_add_library(scriptapi SOURCES Tables.cpp)\n",
            "tests/Math/CMakeLists.txt": "engine_add_test(math_tests SOURCES VectorTest.cpp\n"
            "    LIBS math scriptapi)\n",
        }
        status, output = self.run_checker(script_tables)
        self.assertEqual(status, 0, output)
        self.assert_fails_with(
            dict(script_tables, **{"Math/CMakeLists.txt": "engine_add_library(math SOURCES "
                                   "Vector3.cpp LIBS scriptapi)\n"}),
            "Math/CMakeLists.txt:1: Math links 'scriptapi' of the higher layer ScriptApi",
        )

    def test_row_naming_a_folder_inside_another_rows_folder_is_refused(self):
        status, output = self.run_checker(
            {}, table="Math   Math\nXml    Serializer/Xml\nSerializer   Serializer  tests/Support\n"
        )
        self.assertEqual(status, 2, output)
        self.assertIn("'Serializer/Xml' lies inside the folder 'Serializer' (line 3)", output)

    def test_folder_inside_a_folder_of_the_same_row_is_refused(self):
        status, output = self.run_checker({}, table="Math   Math  Math/Shapes\n")
        self.assertEqual(status, 2, output)
        self.assertIn("'Math/Shapes' lies inside the folder 'Math'", output)

    def test_row_naming_a_single_file_is_refused(self):
        with open(TABLE, encoding="utf-8") as real:
            table = real.read().replace("\nCore ", "\nCore  tests/Core/EngineTest ", 1)
        self.assertIn("tests/Core/EngineTest", table)
        status, output = self.run_checker({}, table=table)
        self.assertEqual(status, 2, output)
        self.assertIn("'tests/Core/EngineTest' names a single file", output)


if __name__ == "__main__":
    unittest.main(verbosity=2)
