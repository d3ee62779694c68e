file(REMOVE_RECURSE
  "libhovercore.a"
)
