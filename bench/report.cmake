# A 1,000-page slip-list report: filled, run, written as page files and as PDF.
qvx_bench(bench_report SOURCES bench_report.cpp bench_support.cpp bench_support.h LINKS qvx_printing)
target_compile_definitions(bench_report PRIVATE
  QVX_SAMPLES="${CMAKE_SOURCE_DIR}/samples"
  QVX_BENCH_DIR="${CMAKE_BINARY_DIR}/temp/bench")
