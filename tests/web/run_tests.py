#!/usr/bin/python3
"""Runs the page's tests and ends with the plain "N passed, N failed" line."""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
suite = unittest.defaultTestLoader.loadTestsFromName("test_page")
result = unittest.TextTestRunner(verbosity=2).run(suite)
failed = len(result.failures) + len(result.errors)
print("web: %d passed, %d failed" % (result.testsRun - failed, failed))
sys.exit(1 if failed else 0)
