# Draws every picture afresh into a scratch tree and compares it byte for byte with the
# committed file: fails when a picture was edited by hand or the tool changed without
# re-making its output.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH}/data ${SCRATCH}/res)
execute_process(COMMAND ${MAKE_ART} ${SCRATCH} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "make-art failed: ${status}")
endif()
foreach(picture data/velmora.png data/font.png res/icon-64.png res/icon-32.png res/icon-16.png)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SCRATCH}/${picture} ${SOURCE}/${picture}
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "${picture} differs from what make-art draws; run the remake-art target")
  endif()
endforeach()
