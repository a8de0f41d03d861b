# Warnings as errors for our own targets only; Qt and system headers come in as SYSTEM includes.
function(vantrel_set_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                             -Wold-style-cast -Wcast-align -Wunused -Woverloaded-virtual
                                             -Wimplicit-fallthrough -Werror)
endfunction()
