# Warnings for every target of ours; call ovant_target_defaults(target).
function(ovant_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                                           -Wnon-virtual-dtor -Wold-style-cast)
  if(OVANT_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  target_compile_definitions(${target} PRIVATE QT_NO_KEYWORDS
                                               OVANT_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
                                               OVANT_VERSION_MINOR=${PROJECT_VERSION_MINOR}
                                               OVANT_VERSION_PATCH=${PROJECT_VERSION_PATCH})
endfunction()

if(OVANT_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
