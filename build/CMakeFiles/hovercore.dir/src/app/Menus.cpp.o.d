CMakeFiles/hovercore.dir/src/app/Menus.cpp.o: \
 /work/main/src/app/Menus.cpp /usr/include/stdc-predef.h \
 /work/main/src/app/Menus.h /usr/include/allegro.h \
 /usr/include/allegro/base.h /usr/include/errno.h /usr/include/features.h \
 /usr/include/features-time64.h \
 /usr/include/x86_64-linux-gnu/bits/wordsize.h \
 /usr/include/x86_64-linux-gnu/bits/timesize.h \
 /usr/include/x86_64-linux-gnu/sys/cdefs.h \
 /usr/include/x86_64-linux-gnu/bits/long-double.h \
 /usr/include/x86_64-linux-gnu/gnu/stubs.h \
 /usr/include/x86_64-linux-gnu/gnu/stubs-64.h \
 /usr/include/x86_64-linux-gnu/bits/errno.h /usr/include/linux/errno.h \
 /usr/include/x86_64-linux-gnu/asm/errno.h \
 /usr/include/asm-generic/errno.h /usr/include/asm-generic/errno-base.h \
 /usr/include/x86_64-linux-gnu/bits/types/error_t.h \
 /usr/lib/gcc/x86_64-linux-gnu/12/include/limits.h \
 /usr/lib/gcc/x86_64-linux-gnu/12/include/syslimits.h \
 /usr/include/limits.h \
 /usr/include/x86_64-linux-gnu/bits/libc-header-start.h \
 /usr/include/x86_64-linux-gnu/bits/posix1_lim.h \
 /usr/include/x86_64-linux-gnu/bits/local_lim.h \
 /usr/include/linux/limits.h \
 /usr/include/x86_64-linux-gnu/bits/pthread_stack_min-dynamic.h \
 /usr/include/x86_64-linux-gnu/bits/posix2_lim.h \
 /usr/include/x86_64-linux-gnu/bits/xopen_lim.h \
 /usr/include/x86_64-linux-gnu/bits/uio_lim.h \
 /usr/lib/gcc/x86_64-linux-gnu/12/include/stdarg.h \
 /usr/lib/gcc/x86_64-linux-gnu/12/include/stddef.h \
 /usr/include/c++/12/stdlib.h /usr/include/c++/12/cstdlib \
 /usr/include/x86_64-linux-gnu/c++/12/bits/c++config.h \
 /usr/include/x86_64-linux-gnu/c++/12/bits/os_defines.h \
 /usr/include/x86_64-linux-gnu/c++/12/bits/cpu_defines.h \
 /usr/include/c++/12/pstl/pstl_config.h /usr/include/stdlib.h \
 /usr/include/x86_64-linux-gnu/bits/waitflags.h \
 /usr/include/x86_64-linux-gnu/bits/waitstatus.h \
 /usr/include/x86_64-linux-gnu/bits/floatn.h \
 /usr/include/x86_64-linux-gnu/bits/floatn-common.h \
 /usr/include/x86_64-linux-gnu/bits/types/locale_t.h \
 /usr/include/x86_64-linux-gnu/bits/types/__locale_t.h \
 /usr/include/x86_64-linux-gnu/sys/types.h \
 /usr/include/x86_64-linux-gnu/bits/types.h \
 /usr/include/x86_64-linux-gnu/bits/typesizes.h \
 /usr/include/x86_64-linux-gnu/bits/time64.h \
 /usr/include/x86_64-linux-gnu/bits/types/clock_t.h \
 /usr/include/x86_64-linux-gnu/bits/types/clockid_t.h \
 /usr/include/x86_64-linux-gnu/bits/types/time_t.h \
 /usr/include/x86_64-linux-gnu/bits/types/timer_t.h \
 /usr/include/x86_64-linux-gnu/bits/stdint-intn.h /usr/include/endian.h \
 /usr/include/x86_64-linux-gnu/bits/endian.h \
 /usr/include/x86_64-linux-gnu/bits/endianness.h \
 /usr/include/x86_64-linux-gnu/bits/byteswap.h \
 /usr/include/x86_64-linux-gnu/bits/uintn-identity.h \
 /usr/include/x86_64-linux-gnu/sys/select.h \
 /usr/include/x86_64-linux-gnu/bits/select.h \
 /usr/include/x86_64-linux-gnu/bits/types/sigset_t.h \
 /usr/include/x86_64-linux-gnu/bits/types/__sigset_t.h \
 /usr/include/x86_64-linux-gnu/bits/types/struct_timeval.h \
 /usr/include/x86_64-linux-gnu/bits/types/struct_timespec.h \
 /usr/include/x86_64-linux-gnu/bits/pthreadtypes.h \
 /usr/include/x86_64-linux-gnu/bits/thread-shared-types.h \
 /usr/include/x86_64-linux-gnu/bits/pthreadtypes-arch.h \
 /usr/include/x86_64-linux-gnu/bits/atomic_wide_counter.h \
 /usr/include/x86_64-linux-gnu/bits/struct_mutex.h \
 /usr/include/x86_64-linux-gnu/bits/struct_rwlock.h /usr/include/alloca.h \
 /usr/include/x86_64-linux-gnu/bits/stdlib-bsearch.h \
 /usr/include/x86_64-linux-gnu/bits/stdlib-float.h \
 /usr/include/c++/12/bits/std_abs.h /usr/include/time.h \
 /usr/include/x86_64-linux-gnu/bits/time.h \
 /usr/include/x86_64-linux-gnu/bits/timex.h \
 /usr/include/x86_64-linux-gnu/bits/types/struct_tm.h \
 /usr/include/x86_64-linux-gnu/bits/types/struct_itimerspec.h \
 /usr/include/string.h /usr/include/strings.h \
 /usr/include/allegro/internal/alconfig.h \
 /usr/include/allegro/platform/alplatf.h \
 /usr/include/allegro/platform/alucfg.h /usr/include/fcntl.h \
 /usr/include/x86_64-linux-gnu/bits/fcntl.h \
 /usr/include/x86_64-linux-gnu/bits/fcntl-linux.h \
 /usr/include/x86_64-linux-gnu/bits/types/struct_iovec.h \
 /usr/include/linux/falloc.h /usr/include/x86_64-linux-gnu/bits/stat.h \
 /usr/include/x86_64-linux-gnu/bits/struct_stat.h /usr/include/unistd.h \
 /usr/include/x86_64-linux-gnu/bits/posix_opt.h \
 /usr/include/x86_64-linux-gnu/bits/environments.h \
 /usr/include/x86_64-linux-gnu/bits/confname.h \
 /usr/include/x86_64-linux-gnu/bits/getopt_posix.h \
 /usr/include/x86_64-linux-gnu/bits/getopt_core.h \
 /usr/include/x86_64-linux-gnu/bits/unistd_ext.h \
 /usr/include/linux/close_range.h \
 /usr/include/allegro/platform/alunixac.h \
 /usr/include/allegro/platform/astdint.h /usr/include/inttypes.h \
 /usr/lib/gcc/x86_64-linux-gnu/12/include/stdint.h /usr/include/stdint.h \
 /usr/include/x86_64-linux-gnu/bits/wchar.h \
 /usr/include/x86_64-linux-gnu/bits/stdint-uintn.h \
 /usr/include/allegro/system.h /usr/include/allegro/base.h \
 /usr/include/allegro/unicode.h /usr/include/allegro/config.h \
 /usr/include/allegro/inline/system.inl /usr/include/allegro/debug.h \
 /usr/include/allegro/debug.h /usr/include/allegro/unicode.h \
 /usr/include/allegro/mouse.h /usr/include/allegro/timer.h \
 /usr/include/allegro/keyboard.h /usr/include/allegro/joystick.h \
 /usr/include/allegro/palette.h /usr/include/allegro/gfx.h \
 /usr/include/allegro/3d.h /usr/include/allegro/fixed.h \
 /usr/include/allegro/inline/gfx.inl /usr/include/allegro/inline/asm.inl \
 /usr/include/allegro/color.h /usr/include/allegro/palette.h \
 /usr/include/allegro/inline/color.inl /usr/include/allegro/draw.h \
 /usr/include/allegro/gfx.h /usr/include/allegro/inline/draw.inl \
 /usr/include/allegro/3d.h /usr/include/allegro/inline/gfx.inl \
 /usr/include/allegro/rle.h /usr/include/allegro/inline/rle.inl \
 /usr/include/allegro/compiled.h /usr/include/allegro/text.h \
 /usr/include/allegro/font.h /usr/include/allegro/fli.h \
 /usr/include/allegro/file.h /usr/include/allegro/config.h \
 /usr/include/allegro/gui.h /usr/include/allegro/sound.h \
 /usr/include/allegro/digi.h /usr/include/allegro/stream.h \
 /usr/include/allegro/midi.h /usr/include/allegro/file.h \
 /usr/include/allegro/lzss.h /usr/include/allegro/datafile.h \
 /usr/include/allegro/fixed.h /usr/include/allegro/fmaths.h \
 /usr/include/allegro/inline/fmaths.inl /usr/include/allegro/matrix.h \
 /usr/include/allegro/fmaths.h /usr/include/allegro/inline/matrix.inl \
 /usr/include/allegro/quat.h /usr/include/allegro/3d.h \
 /usr/include/allegro/3dmaths.h /usr/include/allegro/inline/3dmaths.inl \
 /usr/include/allegro/alcompat.h /usr/include/allegro/fix.h \
 /usr/include/allegro/inline/fix.inl \
 /usr/include/allegro/platform/alunix.h /work/main/src/app/Texts.h
