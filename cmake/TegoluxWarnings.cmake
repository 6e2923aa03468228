# Strict warnings for the project's own targets only: system headers and third-party code are
# compiled with their own settings.
function(tegolux_strict_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
