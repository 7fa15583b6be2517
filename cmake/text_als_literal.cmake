# text_als_literal(TEXT OUT): TEXT as a C++ string expression of raw literals, split into pieces
# so no single literal grows beyond what every compiler accepts; "" for an empty text. For the
# scripts that build the shipped data into the program.
function(text_als_literal content out)
  string(LENGTH "${content}" len)
  set(result "")
  set(pos 0)
  while(pos LESS len)
    string(SUBSTRING "${content}" ${pos} 30000 chunk)
    string(APPEND result "R\"pyra(${chunk})pyra\"\n")
    math(EXPR pos "${pos} + 30000")
  endwhile()
  if(result STREQUAL "")
    set(result "\"\"")
  endif()
  set(${out} "${result}" PARENT_SCOPE)
endfunction()
