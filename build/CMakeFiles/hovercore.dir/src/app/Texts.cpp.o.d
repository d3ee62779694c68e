CMakeFiles/hovercore.dir/src/app/Texts.cpp.o: \
 /work/main/src/app/Texts.cpp /usr/include/stdc-predef.h \
 /work/main/src/app/Texts.h
