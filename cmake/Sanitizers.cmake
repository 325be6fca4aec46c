# AddressSanitizer and UndefinedBehaviorSanitizer; UBSan aborts on the first finding so a test fails.
if(M47_SANITIZE)
    set(m47_san_flags -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_compile_options(${m47_san_flags})
    add_link_options(${m47_san_flags})
endif()
