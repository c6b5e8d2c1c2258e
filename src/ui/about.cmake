# The about box and the map window, with the setup dialog's commands that open them.
target_sources(skirmaker_win PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/AboutCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AboutDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MapPositionsDlg.cpp
)
