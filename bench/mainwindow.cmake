# The main window's slip list, the real program's first window and the list's
# memory over large generated databases.
qvx_bench(bench_mainwindow SOURCES bench_mainwindow.cpp main_window.cpp main_window.h gen_benchdb.cpp gen_benchdb.h raw_slips.cpp raw_slips.h
          bench_support.cpp bench_support.h LINKS qvx_commands qvx_testsupport SQLite::SQLite3)
target_compile_definitions(bench_mainwindow PRIVATE QVX_BENCH_DIR="${CMAKE_BINARY_DIR}/temp/bench"
                           QVX_PROGRAM="$<TARGET_FILE:quorvex>")
add_dependencies(bench_mainwindow quorvex)
