# Tests of text/.
