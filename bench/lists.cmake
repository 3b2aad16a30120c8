# The CSV export of 全件 and a saved slip filter with a line condition on the
# main window, each beside a raw baseline.
qvx_bench(bench_lists SOURCES bench_lists.cpp main_window.cpp main_window.h gen_benchdb.cpp gen_benchdb.h raw_slips.cpp raw_slips.h
          bench_support.cpp bench_support.h LINKS qvx_commands qvx_testsupport SQLite::SQLite3)
target_compile_definitions(bench_lists PRIVATE QVX_BENCH_DIR="${CMAKE_BINARY_DIR}/temp/bench")
