# The sources of every library, by folder; one list for both systems, and beside it what each
# system builds alone (its engines, braille, front ends, interrupts and entry point).

# The game: data, rules, narration, the speech channel, the screens and the tables a server
# hosts. Standard library and utf8proc only, no platform or engine header.
file(GLOB CORE_SOURCES CONFIGURE_DEPENDS data/*.cpp rules/*.cpp narration/*.cpp screens/*.cpp
  table/*.cpp speech/channel.cpp speech/text_engine.cpp)

# The engine chain and the engines; SAPI's pure parts are tested on Linux too.
set(ENGINE_SOURCES speech/engine_chain.cpp speech/failover_engine.cpp
  speech/sapi_parts.cpp)
# What any run needs: options, transcript, key scripts, settings, interrupts, checked files, the
# inbox and the braille display.
set(RUN_SOURCES run/checked_file.cpp run/inbox.cpp run/key_names.cpp run/key_script.cpp
  run/local_session.cpp
  run/run.cpp run/run_engine.cpp run/settings_file.cpp run/transcript.cpp)
# Front ends; the Win32 keys' table is pure and tested on Linux too.
set(FRONTEND_SOURCES frontends/frontend_table.cpp frontends/headless/headless_frontend.cpp
  frontends/win32/win32_keys.cpp)
# The client of a table server: the protocol, the connection, the table as its person plays it.
set(CLIENT_SOURCES client/protocol.cpp client/server_link.cpp client/remote_table.cpp
  client/remote_session.cpp)
file(GLOB TOOL_SOURCES CONFIGURE_DEPENDS tools/*/*.cpp)
set(APP_SOURCES app/command_line.cpp app/cli_language.cpp app/connect_command.cpp
  app/message_language.cpp)
# The table server: Linux only (Boost.Beast, SQLite); Windows gets its absence.
file(GLOB SERVER_SOURCES CONFIGURE_DEPENDS server/*.cpp)
list(FILTER SERVER_SOURCES EXCLUDE REGEX "_windows\\.cpp$")

if(WIN32)
  list(APPEND ENGINE_SOURCES speech/sapi_engine.cpp speech/system_engines_windows.cpp)
  list(APPEND RUN_SOURCES run/interrupts_windows.cpp run/inbox_windows.cpp
    run/braille_windows.cpp)
  list(APPEND FRONTEND_SOURCES frontends/win32/win32_frontend.cpp frontends/absent_windows.cpp)
  list(APPEND APP_SOURCES app/message_language_windows.cpp)
  set(SERVER_SOURCES server/absent_windows.cpp)
  set(MAIN_SOURCES app/main_windows.cpp frontends/win32/rename_box.rc)
else()
  list(APPEND ENGINE_SOURCES speech/espeak_engine.cpp speech/fading_queue.cpp
    speech/speechd_engine.cpp speech/serial_worker.cpp speech/system_engines_linux.cpp)
  list(APPEND RUN_SOURCES run/interrupt_source_posix.cpp run/run_engine_posix.cpp
    run/interruptible_input_posix.cpp run/inbox_posix.cpp run/braille_linux.cpp)
  file(GLOB WINDOW_SOURCES CONFIGURE_DEPENDS frontends/window/*.cpp)
  file(GLOB TERMINAL_SOURCES CONFIGURE_DEPENDS frontends/terminal/*.cpp)
  list(APPEND FRONTEND_SOURCES ${WINDOW_SOURCES} ${TERMINAL_SOURCES})
  set(MAIN_SOURCES app/main.cpp)
  # Braille displays through brltty (BrlAPI), contracted braille through liblouis.
  file(GLOB BRAILLE_SOURCES CONFIGURE_DEPENDS braille/*.cpp)
endif()
