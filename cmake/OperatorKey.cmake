# The operator's public key, compiled into the programs that read the update document.

# tarvenne_operator_key(<target> <pem file>)
# Gives <target> the header directory/operator_key.h holding the ECDSA P-256 public key of
# <pem file>, as "openssl ec -pubout" writes it, or no key when <pem file> is empty. The file
# is checked here, so that a launcher is never built with a key that it cannot use.
function(tarvenne_operator_key target key_file)
    set(operator_key_pem "")
    if(NOT key_file STREQUAL "")
        if(NOT EXISTS "${key_file}" OR IS_DIRECTORY "${key_file}")
            message(FATAL_ERROR "TARVENNE_OPERATOR_KEY: no file \"${key_file}\"")
        endif()
        file(READ "${key_file}" pem)
        if(pem MATCHES "PRIVATE KEY-----")
            message(FATAL_ERROR "TARVENNE_OPERATOR_KEY: \"${key_file}\" holds a private key; "
                "give its public key (openssl ec -in KEY.pem -pubout -out PUBLIC.pem) and keep "
                "the private key away from the build")
        endif()
        # [RFC 7468] 13: a SubjectPublicKeyInfo. For P-256 its DER is always 91 bytes, the
        # first 27 of which (algorithm, curve and the uncompressed point's 04) are the same.
        if(NOT pem MATCHES "-----BEGIN PUBLIC KEY-----[\r\n]+([A-Za-z0-9+/=\r\n]+)-----END PUBLIC KEY-----")
            message(FATAL_ERROR "TARVENNE_OPERATOR_KEY: \"${key_file}\" holds no public key "
                "in PEM form")
        endif()
        set(block "${CMAKE_MATCH_0}")
        string(REGEX REPLACE "[\r\n]" "" base64 "${CMAKE_MATCH_1}")
        if(NOT base64 MATCHES "^MFkwEwYHKoZIzj0CAQYIKoZIzj0DAQcDQgAE[A-Za-z0-9+/]+==$")
            message(FATAL_ERROR "TARVENNE_OPERATOR_KEY: the key in \"${key_file}\" is not an "
                "ECDSA P-256 public key (make one with openssl ecparam -genkey -name prime256v1)")
        endif()
        string(LENGTH "${base64}" length)
        if(NOT length EQUAL 124)
            message(FATAL_ERROR "TARVENNE_OPERATOR_KEY: the key in \"${key_file}\" is cut short "
                "or too long")
        endif()
        set(operator_key_pem "${block}\n")
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${key_file}")
    endif()
    set(include_dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_operator_key)
    configure_file(${PROJECT_SOURCE_DIR}/src/core/directory/operator_key.h.in
                   ${include_dir}/directory/operator_key.h @ONLY)
    target_include_directories(${target} PRIVATE ${include_dir})
endfunction()
