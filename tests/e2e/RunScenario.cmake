# Runs one scenario through `ravelin-ide --script` in a fresh work folder holding a copy of the
# sample projects (scenarios change files), with its own registry.
#   -DIDE=path -DSCENARIO=file -DSAMPLES=folder -DWORK=folder [-DADDIN=path]
#   [-DREAD_ONLY=files]  files (relative to the work folder, ';'-separated) made read-only first
#   [-DEXPECT_FAILURE=regex]  the scenario must fail with an error matching the regex
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${SAMPLES} DESTINATION ${WORK})
get_filename_component(name ${SCENARIO} NAME)
file(COPY ${SCENARIO} DESTINATION ${WORK})
foreach(file ${READ_ONLY})
  file(CHMOD ${WORK}/${file} PERMISSIONS OWNER_READ GROUP_READ WORLD_READ)
endforeach()
set(ENV{RAVELIN_REGISTRY_DIR} ${WORK}/registry)
set(ENV{QT_QPA_PLATFORM} offscreen)
set(command ${IDE} --script ${WORK}/${name})
if(ADDIN)
  list(APPEND command --addin ${ADDIN})
endif()
execute_process(COMMAND ${command} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE error
                TIMEOUT 60)
message("${output}")
if(EXPECT_FAILURE)
  if(result EQUAL 0)
    message(FATAL_ERROR "the scenario passed but should have failed")
  endif()
  if(NOT error MATCHES "${EXPECT_FAILURE}")
    message(FATAL_ERROR "the scenario failed with the wrong message:\n${error}")
  endif()
  message("failed as expected: ${error}")
elseif(NOT result EQUAL 0)
  message(FATAL_ERROR "the scenario failed (${result}):\n${error}")
endif()
