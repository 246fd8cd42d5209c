aba:b;c(
