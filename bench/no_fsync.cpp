// Preloaded by `cli_vs_cat.py --no-fsync` to time a conversion without the
// flush that makes its save durable: `cat` into /dev/null flushes nothing.
extern "C" int fsync(int) { return 0; }
extern "C" int fdatasync(int) { return 0; }
