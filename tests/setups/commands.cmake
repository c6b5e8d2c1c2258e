# The setup dialog's saved-setups commands, driven through real messages under Wine.
skirmaker_win_test(SetupCommandsTest SOURCES ${CMAKE_CURRENT_LIST_DIR}/SetupCommandsTest.cpp LIBS skirmaker_testsupport)
