# The about box, the map window and the setup dialog's system-menu entry, under wine64.
skirmaker_win_test(AboutBoxTest SOURCES ${CMAKE_CURRENT_LIST_DIR}/AboutBoxTest.cpp LIBS skirmaker_testsupport)

