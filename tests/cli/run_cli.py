"""qrbatch-cli as a user runs it: exit statuses, messages, files, and symbols read back by
zxing-cpp. One case per call.

Usage: run_cli.py CASE PROGRAM DEFAULT_TEXTS
"""
import sys
import tempfile

import cli_checks
import cases_archives
import cases_batch
import cases_files
import cases_one_code
import cases_stream
import cases_symbols
import cases_tables

if __name__ == "__main__":
    cli_checks.PROGRAM, cli_checks.DEFAULT_TEXTS = sys.argv[2], sys.argv[3]
    case = "case_" + sys.argv[1]
    modules = (cases_archives, cases_batch, cases_files, cases_one_code, cases_stream,
               cases_symbols, cases_tables)
    module = next(m for m in modules if hasattr(m, case))
    with tempfile.TemporaryDirectory(prefix="qrcli-") as tmp:
        getattr(module, case)(tmp)
