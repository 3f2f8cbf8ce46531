# A small tree with the project's rules: the check passes on allowed
# includes, and fails, naming the file, once menu/ includes from view/.
file(REMOVE_RECURSE ${WORK_DIR})
file(COPY ${RULES} DESTINATION ${WORK_DIR}/docs)
file(WRITE ${WORK_DIR}/view/start_screen.h "#pragma once\n#include \"menu/start_view.h\"\n")
file(WRITE ${WORK_DIR}/menu/start_view.h "#pragma once\n#include \"script/menu_settings.h\"\n")
file(WRITE ${WORK_DIR}/menu/start_menu.cpp "#include \"menu/start_view.h\"\n#include <QString>\n")

function(run_check expect_failure)
  execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${WORK_DIR} -P ${CHECK}
                  RESULT_VARIABLE status ERROR_VARIABLE errors OUTPUT_QUIET)
  if(expect_failure AND status EQUAL 0)
    message(FATAL_ERROR "the check passed a tree where menu/ includes from view/")
  elseif(NOT expect_failure AND NOT status EQUAL 0)
    message(FATAL_ERROR "the check failed a tree that follows the rules:\n${errors}")
  endif()
  set(errors "${errors}" PARENT_SCOPE)
endfunction()

run_check(FALSE)
file(APPEND ${WORK_DIR}/menu/start_menu.cpp "#include \"view/start_screen.h\"\n")
run_check(TRUE)
if(NOT errors MATCHES "menu/start_menu.cpp: #include \"view/start_screen.h\"")
  message(FATAL_ERROR "the check's report does not name the wrong include:\n${errors}")
endif()

# Rows below one with a character outside ASCII are rules too.
file(WRITE ${WORK_DIR}/menu/start_menu.cpp "#include \"menu/start_view.h\"\n")
file(WRITE ${WORK_DIR}/game/main.cpp "#include \"script/menu_settings.h\"\n")
run_check(TRUE)
if(NOT errors MATCHES "game/main.cpp: #include \"script/menu_settings.h\"")
  message(FATAL_ERROR "the check passed game/ including from script/:\n${errors}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
