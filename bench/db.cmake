# The database layer beside the same work through the raw engine calls.
qvx_bench(bench_db SOURCES bench_db.cpp bench_support.cpp bench_support.h LINKS qvx_platform_db SQLite::SQLite3)
