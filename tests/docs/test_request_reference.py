"""The committed request-code reference, docs/request-codes.md, is what the
sources give today, and names a sender for every code."""

import os
import sys
import unittest

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..'))
sys.path.insert(0, os.path.join(ROOT, 'tools'))
import gen_request_reference as ref  # noqa: E402


class CommittedReference(unittest.TestCase):

    def test_the_committed_reference_is_up_to_date_and_complete(self):
        text = ref.generate(ROOT)
        with open(os.path.join(ROOT, ref.OUTPUT)) as f:
            self.assertEqual(f.read(), text,
                             'docs/request-codes.md is out of date: run python3 tools/gen_request_reference.py')
        rows = [line for line in text.splitlines() if line.startswith('| ') and 'PI_SERVERFUNC_' in line]
        self.assertGreater(len(rows), 100)
        self.assertEqual([row for row in rows if row.endswith('| (none) |')], [])


if __name__ == '__main__':
    unittest.main()
