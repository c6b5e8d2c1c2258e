# The help sheet: its pages and the "&HELP" handler.
target_sources(skirmaker_win PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/HelpButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HelpList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PropPage1.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PropPage2.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PropPage3.cpp
)
