# Runs one libFuzzer target for a bounded time from a fresh copy of its seed corpus, as one
# CTest test: a crash, a hang or a broken promise fails it, and the input behind the finding is
# kept as finding-<reader>-* beside libFuzzer's output, <reader>.log, in OUTPUT_DIR.
# Usage: cmake -D FUZZER=<program> -D READER=<name> -D CORPUS=<seed folder> -D SECONDS=<n>
#              -D OUTPUT_DIR=<folder> -P run_fuzzer.cmake
set(corpus_copy ${OUTPUT_DIR}/${READER}-corpus)
set(log ${OUTPUT_DIR}/${READER}.log)
file(REMOVE_RECURSE ${corpus_copy})
file(COPY ${CORPUS}/ DESTINATION ${corpus_copy})

execute_process(
    COMMAND ${FUZZER} -max_total_time=${SECONDS} -timeout=5 -print_final_stats=1
            -artifact_prefix=${OUTPUT_DIR}/finding-${READER}- ${corpus_copy}
    OUTPUT_FILE ${log}
    ERROR_FILE ${log}
    RESULT_VARIABLE status)

file(STRINGS ${log} output)
set(runs "?")
set(coverage "?")
set(findings "")
foreach(line IN LISTS output)
    if(line MATCHES "^stat::number_of_executed_units: *([0-9]+)")
        set(runs ${CMAKE_MATCH_1})
    elseif(line MATCHES " cov: ([0-9]+) ")
        set(coverage ${CMAKE_MATCH_1})
    elseif(line MATCHES "Test unit written to (.*)$")
        list(APPEND findings ${CMAKE_MATCH_1})
    endif()
endforeach()
list(LENGTH findings found)
message("fuzz ${READER}: ${runs} runs in ${SECONDS} s, ${coverage} edges covered, findings: ${found}")

if(NOT status EQUAL 0 OR found GREATER 0)
    foreach(line IN LISTS output)
        if(line MATCHES "ERROR|SUMMARY|deadly signal|timeout|Test unit written to")
            message("${line}")
        endif()
    endforeach()
    message(FATAL_ERROR "fuzzing ${READER} found a fault (exit status ${status}); "
                        "the input is kept as ${findings}, libFuzzer's output in ${log}")
endif()
