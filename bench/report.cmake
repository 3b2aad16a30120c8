# The slip-list print of 30,000 slips from the 100,000-slip database, from a
# fresh process to the first page in the preview and to the PDF written,
# beside the same print written on the engine's own calls.
qvx_bench(bench_report SOURCES bench_report.cpp gen_benchdb.cpp gen_benchdb.h bench_support.cpp bench_support.h
          LINKS qvx_printing qvx_testsupport SQLite::SQLite3)
target_compile_definitions(bench_report PRIVATE
  QVX_SAMPLES="${CMAKE_SOURCE_DIR}/samples"
  QVX_BENCH_DIR="${CMAKE_BINARY_DIR}/temp/bench")
