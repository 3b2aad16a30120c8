# The monthly invoice window and its registration over a month of about
# 3,000 slips of the 100,000-slip database.
qvx_bench(bench_invoice SOURCES bench_invoice.cpp gen_benchdb.cpp gen_benchdb.h bench_support.cpp bench_support.h raw_slips.cpp raw_slips.h
          LINKS qvx_printing qvx_testsupport SQLite::SQLite3)
target_compile_definitions(bench_invoice PRIVATE QVX_BENCH_DIR="${CMAKE_BINARY_DIR}/temp/bench"
                           QVX_SAMPLES="${CMAKE_SOURCE_DIR}/samples")
