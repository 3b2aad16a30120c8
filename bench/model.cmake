# Slip list loading and slip saving against a large generated database.
qvx_bench(bench_model SOURCES bench_model.cpp gen_benchdb.cpp gen_benchdb.h raw_slips.cpp raw_slips.h
          bench_support.cpp bench_support.h LINKS qvx_model SQLite::SQLite3)
target_compile_definitions(bench_model PRIVATE QVX_BENCH_DIR="${CMAKE_BINARY_DIR}/temp/bench")
