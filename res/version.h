// The program's version, defined here only: the version resource builds its
// numbers and its texts from it, and scripts/package and the build read it.
#define SKIRMAKER_VERSION 1, 0, 0, 1
