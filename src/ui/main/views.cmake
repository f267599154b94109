# The keyboard view, the lighting panel widget and the preview display of the
# main window; the main window's CMakeLists.txt adds these to its library.
set(QUORLIN_UI_VIEW_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/button_cutouts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/button_cutouts.h
  ${CMAKE_CURRENT_LIST_DIR}/flip_setting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/flip_setting.h
  ${CMAKE_CURRENT_LIST_DIR}/key_frame_layer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/key_frame_layer.h
  ${CMAKE_CURRENT_LIST_DIR}/keyboard_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/keyboard_view.h
  ${CMAKE_CURRENT_LIST_DIR}/lighting_panel_widget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lighting_panel_widget.h
  ${CMAKE_CURRENT_LIST_DIR}/main_view_parts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_view_parts.h
  ${CMAKE_CURRENT_LIST_DIR}/main_views.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_views.h
  ${CMAKE_CURRENT_LIST_DIR}/picture_control.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_control.h
  ${CMAKE_CURRENT_LIST_DIR}/preview_display.cpp
  ${CMAKE_CURRENT_LIST_DIR}/preview_display.h
  ${CMAKE_CURRENT_LIST_DIR}/skin_overlay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_overlay.h
)
