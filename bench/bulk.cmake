# Actions on many selected slips of the main window: the copy to the
# clipboard and the deletion, each beside a raw baseline.
qvx_bench(bench_bulk SOURCES bench_bulk.cpp main_window.cpp main_window.h gen_benchdb.cpp gen_benchdb.h raw_slips.cpp raw_slips.h
          bench_support.cpp bench_support.h LINKS qvx_commands qvx_testsupport SQLite::SQLite3)
target_compile_definitions(bench_bulk PRIVATE QVX_BENCH_DIR="${CMAKE_BINARY_DIR}/temp/bench")
