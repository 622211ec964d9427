# Sources of text/.
