# Builds the help document shipped beside the program: one HTML page from README.md and the files
# of docs/, converted with cmark-gfm, and the pictures they show.
#   cmake -DCMARK=<cmark-gfm> -DSOURCE_DIR=<project> -DOUTPUT_DIR=<folder> -P BuildHelp.cmake
set(documents README.md docs/cli.md docs/scenario.md docs/architecture.md)
set(titles "The utility" "The command line" "Scenarios and the simulated platform" "Architecture")
set(anchors readme cli scenario architecture)

file(MAKE_DIRECTORY ${OUTPUT_DIR})
file(COPY ${SOURCE_DIR}/docs/screenshot.png DESTINATION ${OUTPUT_DIR})

set(nav "")
set(body "")
foreach(document title anchor IN ZIP_LISTS documents titles anchors)
  execute_process(COMMAND ${CMARK} --extension table --extension autolink --extension strikethrough
                          ${SOURCE_DIR}/${document}
                  OUTPUT_VARIABLE html RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmark-gfm could not convert ${document}")
  endif()
  # Links and mentions of the other documents lead to their sections of this page; pictures lie
  # beside it.
  foreach(other IN LISTS anchors)
    string(REPLACE "href=\"docs/${other}.md" "href=\"#${other}" html "${html}")
    string(REPLACE "href=\"${other}.md" "href=\"#${other}" html "${html}")
    string(REPLACE "<code>docs/${other}.md</code>" "<a href=\"#${other}\"><code>docs/${other}.md</code></a>"
                   html "${html}")
    string(REPLACE "<code>${other}.md</code>" "<a href=\"#${other}\"><code>${other}.md</code></a>" html "${html}")
  endforeach()
  string(REPLACE "src=\"docs/" "src=\"" html "${html}")
  string(APPEND nav "<li><a href=\"#${anchor}\">${title}</a></li>\n")
  string(APPEND body "<section id=\"${anchor}\">\n${html}</section>\n")
endforeach()

file(WRITE ${OUTPUT_DIR}/index.html
"<!DOCTYPE html>
<html lang=\"en\">
<head>
<meta charset=\"utf-8\">
<title>VQ-MA310X Wireless Utility: help</title>
<style>
body { font-family: sans-serif; max-width: 60em; margin: 1em auto; padding: 0 1em; line-height: 1.45; color: #222; }
nav ul { list-style: none; padding: 0; display: flex; flex-wrap: wrap; gap: 0.5em 1.5em; }
section { border-top: 1px solid #ccc; margin-top: 2em; }
table { border-collapse: collapse; margin: 0.8em 0; }
th, td { border: 1px solid #ccc; padding: 0.25em 0.5em; vertical-align: top; text-align: left; }
code { background: #f2f2f2; padding: 0 0.2em; }
pre { background: #f2f2f2; padding: 0.6em; overflow-x: auto; }
img { max-width: 100%; }
</style>
</head>
<body>
<nav><ul>
${nav}</ul></nav>
${body}</body>
</html>
")
