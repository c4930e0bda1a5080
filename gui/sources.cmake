# The GUI proxies (PIGUI): their sources in the client library, and what the
# recording host needs to answer them.
target_sources(PluginInterfacesClient PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ProxyLifetime.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Window.cpp
)
target_sources(karven_testhost PRIVATE
  ${PROJECT_SOURCE_DIR}/hostsim/GuiHost.cpp
)
