# Fails a test with the message it was given.
message(FATAL_ERROR "${MESSAGE}")
