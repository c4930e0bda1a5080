#!/usr/bin/env python3
"""Generates the table of request names from the request codes the library
declares (bridge/PIServerFunctions.h), so that the names are written once.

    gen_request_names.py HEADER OUTPUT.cpp
"""

import re
import sys

CODE = re.compile(r'^\s*(PI_SERVERFUNC_\w+)\s*=\s*(\d+)\s*,', re.MULTILINE)


def codes(header_text):
    """The (name, code) pairs of the header, in declaration order."""
    return [(name, int(code)) for name, code in CODE.findall(header_text)]


def source(pairs):
    cases = ''.join('    case %d: return "%s";\n' % (code, name) for name, code in pairs)
    return ('// Generated from bridge/PIServerFunctions.h by tools/gen_request_names.py.\n'
            '#include "hostsim/sim/RequestNames.h"\n\n'
            'namespace karvensim {\n\n'
            'const char* requestName(int code) {\n'
            '    switch (code) {\n%s'
            '    default: return "";\n'
            '    }\n'
            '}\n\n'
            '}  // namespace karvensim\n' % cases)


def main(header_path, output_path):
    with open(header_path) as f:
        pairs = codes(f.read())
    if not pairs:
        raise SystemExit('no request codes in ' + header_path)
    with open(output_path, 'w') as f:
        f.write(source(pairs))


if __name__ == '__main__':
    main(*sys.argv[1:])
