"""The request-name table generated from the library's request codes."""

import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'tools'))
import gen_request_names  # noqa: E402

HEADER = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'bridge', 'PIServerFunctions.h')


class RequestNames(unittest.TestCase):

    def test_codes_are_read_in_declaration_order(self):
        text = ('enum PIServerFunctions_t : int32_t {\n'
                '    // a comment = 5,\n'
                '    PI_SERVERFUNC_CALL_CONTEXT = 16,\n'
                '    PI_SERVERFUNC_SERVICES = 322,\n'
                '};\n')
        self.assertEqual(gen_request_names.codes(text),
                         [('PI_SERVERFUNC_CALL_CONTEXT', 16), ('PI_SERVERFUNC_SERVICES', 322)])

    def test_the_library_header_declares_unique_codes(self):
        with open(HEADER) as f:
            pairs = gen_request_names.codes(f.read())
        self.assertIn(('PI_SERVERFUNC_SERVICES', 322), pairs)
        codes = [code for _, code in pairs]
        self.assertEqual(len(codes), len(set(codes)), 'one name per code')

    def test_generated_source(self):
        source = gen_request_names.source([('PI_SERVERFUNC_SERVICES', 322)])
        self.assertIn('    case 322: return "PI_SERVERFUNC_SERVICES";\n', source)
        self.assertIn('    default: return "";\n', source)


if __name__ == '__main__':
    unittest.main()
