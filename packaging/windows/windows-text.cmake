# Writes the text file IN to OUT the way Notepad reads it on any Windows, a Chinese one with code
# page 936 included: UTF-8 with a byte-order mark, CRLF line ends.
# Usage: cmake -DIN=source.txt -DOUT=packaged.txt -P windows-text.cmake
file(READ ${IN} text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
string(ASCII 239 187 191 byte_order_mark)
file(WRITE ${OUT} "${byte_order_mark}${text}")
