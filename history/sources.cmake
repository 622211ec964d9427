# Sources of history/.
list(APPEND PORTABLE_SOURCES history/record_file.cpp history/history_streams.cpp history/clipboard_block.cpp
     history/file_ops.cpp history/record_index.cpp history/byte_copy.cpp history/moves.cpp history/reuse_index.cpp
     history/record_append.cpp history/history_view.cpp history/navigation.cpp
     history/clip_finder.cpp history/folding_lane.cpp history/lane_thread.cpp history/side_lines.cpp history/time_label.cpp history/side_index.cpp history/clip_side_file.cpp
     history/clip_originals.cpp history/forget.cpp history/folder_notice.cpp history/file_watch.cpp)
list(APPEND WIN32_SOURCES history/clip_output.cpp history/clipboard_text.cpp)
list(APPEND WIN32_SOURCES history/capture.cpp history/ring.cpp history/link_tag.cpp history/private_clip.cpp)
list(APPEND WIN32_SOURCES history/maintenance.cpp history/side_file_upkeep.cpp history/forget_history.cpp
     history/backup_files.cpp)
