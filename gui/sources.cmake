# The GUI proxies (PIGUI): their sources in the client library, and what the
# recording host needs to answer them.
target_sources(PluginInterfacesClient PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ProxyLifetime.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Containers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DialogBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TabWidget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Controls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/List.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Icon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Menus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Registry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProgressDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Mouse.cpp
)
target_sources(karven_testhost PRIVATE
  ${PROJECT_SOURCE_DIR}/hostsim/GuiHost.cpp
)
