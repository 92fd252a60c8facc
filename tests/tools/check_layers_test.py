#!/usr/bin/python3
"""The layer check on scratch trees: a clean one passes, planted faults are found."""

import os
import subprocess
import sys
import tempfile
import unittest

CHECK = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools",
                     "check-layers.py")

# A small tree that keeps the layers: each file with its lines.
CLEAN = {
    "core/Text.h": ["#pragma once", "#include <string>"],
    "core/Text.cpp": ['#include "Text.h"', "#include <vector>", "#include <iconv.h>"],
    "common/Files.h": ["#pragma once", '#include "core/Text.h"', "#include <windows.h>"],
    "ui/Form.h": ["#pragma once", '#include "common/Files.h"'],
    "editor/View.h": ["#pragma once", '#include "ui/Form.h"', "#include <imm.h>"],
    "texchain/Run.cpp": ['#include "ui/Form.h"', '#include "core/Text.h"'],
    "app/Top.h": ["#pragma once", '#include "editor/View.h"', '#include "texchain/Run.h"'],
    "app/Top.cpp": ['#include "app/Top.h"', '#include "commands/Router.h"'],
    "commands/Router.h": ["#pragma once", '#include "app/Top.h"'],
    "app/WinMain.cpp": ['#include "app/Top.h"', "#include <windows.h>"],
}


class LayerCheck(unittest.TestCase):
    def run_check(self, changes):
        """Runs the check on the clean tree with changes (file -> lines) applied."""
        with tempfile.TemporaryDirectory() as scratch:
            src = os.path.join(scratch, "src")
            for path, lines in {**CLEAN, **changes}.items():
                os.makedirs(os.path.dirname(os.path.join(src, path)), exist_ok=True)
                with open(os.path.join(src, path), "w", encoding="utf-8") as file:
                    file.write("\n".join(lines) + "\n")
            done = subprocess.run([sys.executable, CHECK, src], capture_output=True, text=True)
        return done.returncode, done.stdout

    def test_a_clean_tree_passes(self):
        status, output = self.run_check({})
        self.assertEqual(status, 0, output)
        self.assertIn("layers kept", output)

    def test_a_cycle_between_libraries_fails(self):
        status, output = self.run_check({
            "core/Text.h": ["#pragma once", "#include <string>", '#include "common/Files.h"'],
        })
        self.assertEqual(status, 1, output)
        self.assertRegex(output, r"the libraries (core -> common -> core|common -> core -> common) "
                                 r"include each other in a cycle")
        self.assertIn("src/core/Text.h:3 includes common/Files.h", output)
        self.assertIn("src/common/Files.h:2 includes core/Text.h", output)

    def test_a_win32_header_in_a_core_header_fails(self):
        status, output = self.run_check({
            "core/Chars.h": ["#pragma once", "#include <cstdint>", '#include "Win32Names.h"'],
            "core/Win32Names.h": ["#pragma once", "#include <commctrl.h>"],
            "core/Text.cpp": ['#include "Text.h"', '#include "core/Chars.h"'],
        })
        self.assertEqual(status, 1, output)
        self.assertIn("src/core/Win32Names.h:2: commctrl.h is reached from the core", output)

    def test_windows_h_reached_from_the_core_through_a_project_header_fails(self):
        status, output = self.run_check({
            "core/Text.cpp": ['#include "Text.h"', '#include "ui/Form.h"'],
        })
        self.assertEqual(status, 1, output)
        self.assertIn("src/core/Text.cpp:2: core includes a header of ui (ui/Form.h)", output)
        self.assertIn("src/common/Files.h:3: windows.h is reached from the core", output)
        self.assertIn("src/core/Text.cpp -> src/ui/Form.h -> src/common/Files.h", output)

    def test_a_lower_library_including_the_application_library_fails(self):
        status, output = self.run_check({
            "texchain/Run.h": ["#pragma once", '#include "commands/Router.h"'],
        })
        self.assertEqual(status, 1, output)
        self.assertIn("src/texchain/Run.h:2: texchain includes a header of the application "
                      "library (commands/Router.h); texchain may use ui, common, core", output)

    def test_a_folder_outside_the_layer_table_fails(self):
        status, output = self.run_check({"extras/Tool.h": ["#pragma once"]})
        self.assertEqual(status, 1, output)
        self.assertIn("src/extras/ is not a library of the layer table", output)


if __name__ == "__main__":
    unittest.main()
