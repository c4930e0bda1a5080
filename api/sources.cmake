# The application API (PICommon free functions and delegates): its sources in
# the client library, and what the recording host needs to answer it.
target_sources(PluginInterfacesClient PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Actions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Application.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileDelegates.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileHandlers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HostSession.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Viewports.cpp
)
