# The profile manager dialog, the profile popup menu and the rows of the
# manager's list, for the main window's library.
set(QUORLIN_UI_PROFILE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/profile_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/profile_dialog.h
  ${CMAKE_CURRENT_LIST_DIR}/profile_dialog_host.h
  ${CMAKE_CURRENT_LIST_DIR}/profile_menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/profile_menu.h
  ${CMAKE_CURRENT_LIST_DIR}/profile_rows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/profile_rows.h)
