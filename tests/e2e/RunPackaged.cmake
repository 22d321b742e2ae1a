# Builds the Debian package from the build folder, unpacks it with `dpkg-deb -x` beside the work
# folder, and runs a scenario with the unpacked launcher and SourceSafe programs (RunScenario.cmake).
#   -DCPACK=path -DBUILD=folder -DSCENARIO=file -DSAMPLES=folder -DWORK=folder
set(root ${WORK}-root)
file(REMOVE_RECURSE ${root} ${WORK}-package)
execute_process(COMMAND ${CPACK} -G DEB -B ${WORK}-package WORKING_DIRECTORY ${BUILD}
                RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(GLOB packages ${WORK}-package/*.deb)
if(failed OR NOT packages)
  message(FATAL_ERROR "cpack failed (${failed}):\n${out}${err}")
endif()
execute_process(COMMAND dpkg-deb -x ${packages} ${root} RESULT_VARIABLE failed ERROR_VARIABLE err)
if(failed)
  message(FATAL_ERROR "dpkg-deb -x failed (${failed}):\n${err}")
endif()
set(IDE ${root}/usr/bin/ravelin)
set(SOURCESAFE ${root}/usr/lib/sourcesafe)
include(${CMAKE_CURRENT_LIST_DIR}/RunScenario.cmake)
