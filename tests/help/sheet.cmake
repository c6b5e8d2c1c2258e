# The help sheet under wine64: its pages driven through their real controls.
skirmaker_win_test(HelpSheetTest SOURCES ${CMAKE_CURRENT_LIST_DIR}/HelpSheetTest.cpp LIBS skirmaker_testsupport)
