# The ship catalogue combo of the setup dialog, driven under wine64.
skirmaker_win_test(CatalogueComboTest SOURCES ${CMAKE_CURRENT_LIST_DIR}/CatalogueComboTest.cpp LIBS skirmaker_testsupport)
