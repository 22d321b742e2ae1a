# Runs one scenario through `ravelin-ide --script` in a fresh work folder holding a copy of the
# sample projects (scenarios change files), with its own registry.
#   -DIDE=path -DSCENARIO=file -DSAMPLES=folder -DWORK=folder [-DADDIN=path]
#   [-DREAD_ONLY=files]  files (relative to the work folder, ';'-separated) made read-only first
#   [-DEXPECT_FAILURE=regex]  the scenario must fail with an error matching the regex
#   [-DPOSTGRES=ON]  with SOURCESAFE: the database is kept in a fresh database on the PostgreSQL
#       server of RAVELIN_TEST_POSTGRES (the scenario is skipped without one)
#   [-DSOURCESAFE=folder]  SourceSafe's programs: the work folder gets a database (make-database.sh),
#       then the scenario's own NAME.setup runs; the IDE works as Alice; afterwards NAME.check must
#       pass. Both are shell scripts run in the work folder, with SourceSafe's programs and regtool on PATH; the
#       check finds the IDE's transcript in transcript.txt. They run under `sh -e`, which does not
#       stop on a failed `! command`: write a negated check as `! command || exit 1`.
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
# Temporary files go to the work folder, where a check can see that none was left behind.
file(MAKE_DIRECTORY ${WORK}/tmp)
set(ENV{TMPDIR} ${WORK}/tmp)

# Runs a shell script of the scenario in the work folder; a failure ends the test with its output.
function(run_script script)
  execute_process(COMMAND sh -e ${script} WORKING_DIRECTORY ${WORK} RESULT_VARIABLE failed
                  OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(failed)
    message(FATAL_ERROR "${script} failed (${failed}):\n${out}${err}")
  endif()
  message("${out}")
endfunction()

get_filename_component(base ${SCENARIO} NAME_WE)
get_filename_component(folder ${SCENARIO} DIRECTORY)
if(POSTGRES)
  if("$ENV{RAVELIN_TEST_POSTGRES}" STREQUAL "")
    message("SKIPPED: no PostgreSQL server for the tests: RAVELIN_TEST_POSTGRES is not set (scripts/test starts one)")
    return()
  endif()
  set(database e2e_${base})
  execute_process(COMMAND psql $ENV{RAVELIN_TEST_POSTGRES} -q -c "DROP DATABASE IF EXISTS ${database} WITH (FORCE)"
                          -c "CREATE DATABASE ${database}"
                  RESULT_VARIABLE failed ERROR_VARIABLE err)
  if(failed)
    message(FATAL_ERROR "Cannot make the database ${database} on the test server: ${err}")
  endif()
  set(ENV{RAVELIN_E2E_POSTGRES} "$ENV{RAVELIN_TEST_POSTGRES} dbname=${database}")
endif()
if(SOURCESAFE)
  get_filename_component(bin ${IDE} DIRECTORY)
  set(ENV{PATH} "${SOURCESAFE}:${bin}:$ENV{PATH}")
  run_script(${folder}/make-database.sh)
  set(ENV{SSDIR} ${WORK}/db)
  set(ENV{SSUSER} Admin)
  set(ENV{SSPWD} "")
  if(EXISTS ${folder}/${base}.setup)
    run_script(${folder}/${base}.setup)
  endif()
  set(ENV{SSUSER} Alice)
  set(ENV{SSPWD} alice-pw)
endif()
set(command ${IDE} --script ${WORK}/${name})
if(ADDIN)
  list(APPEND command --addin ${ADDIN})
endif()
execute_process(COMMAND ${command} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE error
                TIMEOUT 60)
message("${output}")
file(WRITE ${WORK}/transcript.txt "${output}")
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
if(SOURCESAFE AND EXISTS ${folder}/${base}.check)
  set(ENV{SSUSER} Admin)
  set(ENV{SSPWD} "")
  run_script(${folder}/${base}.check)
endif()
