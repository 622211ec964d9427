# Sources of drawers/.
list(APPEND PORTABLE_SOURCES drawers/drawer_names.cpp drawers/drawer_view.cpp)
list(APPEND WIN32_SOURCES drawers/genre_list.cpp drawers/drawer_menus.cpp drawers/drawer_records.cpp)
