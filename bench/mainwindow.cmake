# The main window's slip list and first window over a large generated database.
qvx_bench(bench_mainwindow SOURCES bench_mainwindow.cpp gen_benchdb.cpp gen_benchdb.h
          LINKS qvx_commands SQLite::SQLite3)
target_compile_definitions(bench_mainwindow PRIVATE QVX_BENCH_DIR="${CMAKE_BINARY_DIR}/temp/bench")
