# Writes the service worker (sw.js) with a version derived from the page's files, so that every
# build whose files differ publishes a new service worker, which replaces the old copy.
#   cmake -DPAGE=<folder> -DTEMPLATE=<sw.js.in> -P Stamp.cmake
set(digests "")
foreach(file index.html tavimo.js tavimo.wasm manifest.webmanifest icon.svg icon-192.png icon-512.png
        tavimo-gothic.woff2)
    file(SHA256 ${PAGE}/${file} digest)
    string(APPEND digests ${digest})
endforeach()
string(SHA256 TAVIMO_PAGE_VERSION "${digests}")
string(SUBSTRING ${TAVIMO_PAGE_VERSION} 0 16 TAVIMO_PAGE_VERSION)
configure_file(${TEMPLATE} ${PAGE}/sw.js @ONLY)
